// "Iniciar" end to end with a stand-in tool in kvt/ of a temporary program folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "loader/formini.h"
#include "platform/process.h"
#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

#ifdef _WIN32
constexpr const char* kToolSuffix = ".exe";
#else
constexpr const char* kToolSuffix = "";
#endif

// The stand-in tool: beside this test program on Windows, by its build path elsewhere.
fs::path fakeTool() {
#ifdef _WIN32
    return fs::current_path() / "build-win" / "tests" / VZ_FAKE_TOOL;
#else
    return VZ_FAKE_TOOL;
#endif
}

class JobRunnerTest : public testing::Test {
  protected:
    JobRunnerTest() {
        fs::create_directories(program / "kvt");
        for (const char* tool : {"daxcr", "ciso"}) {
            fs::copy_file(fakeTool(), program / "kvt" / (std::string(tool) + kToolSuffix));
        }
        fs::create_directories(data);
        system.executable = (program / "vortel").string();
        system.events = &host.events;
        form.create("");
        form.setConfigurationForm(formini);
        form.observe([this] {
            if (form.closed() && !closedSeen) {
                closedSeen = true;
                host.events.push_back("closed");
            }
        });
    }

    std::string file(const std::string& name, const std::string& content = "imagen") {
        fs::path path = data / name;
        std::ofstream(path) << content;
        return path.string();
    }
    std::string at(const std::string& name) const { return (data / name).string(); }
    Calls calls() const {
        Calls lines;
        std::ifstream in(program / "kvt" / "calls.log");
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    void failTool(const char* tool, int code) {
        std::ofstream(program / "kvt" / (std::string(tool) + ".exit")) << code;
    }
    void single(const std::string& input, const std::string& output) {
        form.editiso.setText(input);
        form.editdax.setText(output);
        form.Iniciar.click();
    }

    test::TempDir temp;
    fs::path program = temp / "Mis Programas";
    fs::path data = temp / "PSP juegos";
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
    Tformini formini{form.editini};
    bool closedSeen = false;
};

TEST_F(JobRunnerTest, SingleDaxCompressionRunsDaxcrWithTheWindowsOptions) {
    std::string input = file("juego.iso");
    single(input, at("juego.dax"));
    EXPECT_EQ(calls(), Calls{"daxcr|-w|-l0|-a8192|" + input + "|" + at("juego.dax")});
    EXPECT_TRUE(fs::exists(at("juego.dax")));
    EXPECT_EQ(host.events, (Calls{"minimized", "restored"}));
}

TEST_F(JobRunnerTest, SingleDaxDecompressionCarriesNoOptions) {
    form.crealog.click();
    form.mdes.click();
    form.areasNCvideos.setChecked(true);
    std::string input = file("juego.dax");
    single(input, at("juego.iso"));
    EXPECT_EQ(calls(), Calls{"daxcr|-w|-d|" + input + "|" + at("juego.iso")});
}

TEST_F(JobRunnerTest, DaxCompressionWithLogAndForcedAreas) {
    form.crealog.click();
    form.areasNCvideos.click();
    form.areasNCaudio.click();
    form.suiComboBox1.setText("7");
    form.editframe.setText("4096");
    form.pausaresumen.click();
    std::string input = file("juego.iso");
    form.editiso.setText(input);
    form.editdax.setText(at("juego.dax"));
    form.editlog.setText(at("juego.txt"));
    form.Iniciar.click();
    EXPECT_EQ(calls(), Calls{"daxcr|-l7|-a4096|-v|-s|" + input + "|" + at("juego.dax") + "|" +
                             at("juego.txt")});
}

TEST_F(JobRunnerTest, CsoCompressionAndDecompressionLevels) {
    form.formatocso.click();
    std::string input = file("juego.iso");
    single(input, at("juego.cso"));
    form.mdes.click();
    single(at("juego.cso"), at("vuelta.iso"));
    EXPECT_EQ(calls(), (Calls{"ciso|6|" + input + "|" + at("juego.cso"),
                              "ciso|0|" + at("juego.cso") + "|" + at("vuelta.iso")}));
    EXPECT_TRUE(fs::exists(at("vuelta.iso")));
}

TEST_F(JobRunnerTest, SingleConversionToDaxGoesThroughATemporaryIsoBesideTheOutput) {
    form.mtrans.click();
    form.pausaresumen.click();
    std::string input = file("juego.cso");
    single(input, at("juego.dax"));
    EXPECT_EQ(calls(), (Calls{"ciso|0|" + input + "|" + at("juego.iso"),
                              "daxcr|-l0|-a8192|" + at("juego.iso") + "|" + at("juego.dax")}));
    EXPECT_FALSE(fs::exists(at("juego.iso"))) << "temporary ISO deleted";
    EXPECT_TRUE(fs::exists(at("juego.dax")));
    EXPECT_TRUE(fs::exists(input));
}

TEST_F(JobRunnerTest, TheTemporaryIsoNeverReplacesTheUsersFile) {
    form.mtrans.click();
    std::string mine = file("juego.iso", "mi propia imagen");
    std::string input = file("juego.cso");
    single(input, at("juego.dax"));
    ASSERT_EQ(calls().size(), 2u);
    EXPECT_EQ(calls()[0], "ciso|0|" + input + "|" + at("juego-1.iso"));
    EXPECT_FALSE(fs::exists(at("juego-1.iso")));
    std::ifstream kept(mine);
    std::string content((std::istreambuf_iterator<char>(kept)), {});
    EXPECT_EQ(content, "mi propia imagen");
}

TEST_F(JobRunnerTest, ListConversionToCsoUsesTempIsoInTheInputsFolder) {
    form.formatocso.click();
    form.mtrans.click();
    form.suiComboBox1.setText("5");
    std::string input = file("juego.dax");
    form.suiStringGrid1.setCell(0, 0, input);
    form.suiStringGrid1.setCell(1, 0, at("juego.cso"));
    form.Iniciar.click();
    EXPECT_EQ(calls(), (Calls{"daxcr|-d|" + input + "|" + at("temp.iso"),
                              "ciso|5|" + at("temp.iso") + "|" + at("juego.cso")}));
    EXPECT_FALSE(fs::exists(at("temp.iso")));
}

TEST_F(JobRunnerTest, ListRunCoversEveryRowWithoutWaitAndNamesLogsAfterInputs) {
    form.crealog.click();
    form.creaini.click();
    form.editiso.setText("ignored.iso");
    form.suiStringGrid1.setRowCount(3);
    std::vector<std::string> inputs = {file("a.iso"), file("b.iso"), ""};
    for (int row = 0; row < 3; ++row) {
        form.suiStringGrid1.setCell(0, row, inputs[static_cast<std::size_t>(row)]);
        form.suiStringGrid1.setCell(1, row, row == 2 ? "" : at(std::string(1, 'a' + row) + ".dax"));
    }
    form.Iniciar.click();
    EXPECT_EQ(calls(),
              (Calls{"daxcr|-l0|-a8192|" + inputs[0] + "|" + at("a.dax") + "|" + at("a.txt"),
                     "daxcr|-l0|-a8192|" + inputs[1] + "|" + at("b.dax") + "|" + at("b.txt"),
                     "daxcr|-l0|-a8192|||.txt"}));
    EXPECT_TRUE(host.modalForms.empty()) << "a list run never shows the configuration window";
    EXPECT_EQ(host.events, (Calls{"minimized", "restored"}));
}

TEST_F(JobRunnerTest, ConfigurationWindowComesBeforeHidingInASingleDaxCompression) {
    form.creaini.click();
    single(file("juego.iso"), at("juego.dax"));
    EXPECT_EQ(host.events, (Calls{"modal Tformini", "minimized", "restored"}));

    host.events.clear();
    form.mdes.click();
    form.creaini.setChecked(true);
    single(file("juego.dax"), at("juego2.iso"));
    EXPECT_EQ(host.events, (Calls{"minimized", "restored"})) << "not in Descomprimir";
}

TEST_F(JobRunnerTest, SourceIsDeletedOnlyAfterSuccess) {
    form.BorrarIsoFin.click();
    std::string input = file("juego.iso");
    failTool("daxcr", 3);
    single(input, at("juego.dax"));
    EXPECT_TRUE(fs::exists(input)) << "a failed job keeps its source";

    fs::remove(program / "kvt" / "daxcr.exit");
    single(input, at("juego.dax"));
    EXPECT_FALSE(fs::exists(input));
    EXPECT_TRUE(fs::exists(at("juego.dax")));
}

TEST_F(JobRunnerTest, ConversionWithDeletionRemovesTemporaryAndSourceButNotOutput) {
    form.mtrans.click();
    form.BorrarIsoFin.click();
    std::string input = file("juego.cso");
    single(input, at("juego.dax"));
    EXPECT_FALSE(fs::exists(input));
    EXPECT_FALSE(fs::exists(at("juego.iso")));
    EXPECT_TRUE(fs::exists(at("juego.dax")));
}

TEST_F(JobRunnerTest, AFailingFirstStepKeepsTheSourceAndTheRunGoesOn) {
    form.formatocso.click();
    form.BorrarIsoFin.click();
    std::string good = file("bueno.iso");
    std::string bad = file("malo.iso");
    fs::remove(program / "kvt" / (std::string("ciso") + kToolSuffix));  // cannot be started: -1
    form.suiStringGrid1.setRowCount(2);
    form.suiStringGrid1.setCell(0, 0, bad);
    form.suiStringGrid1.setCell(1, 0, at("malo.cso"));
    form.suiStringGrid1.setCell(0, 1, good);
    form.suiStringGrid1.setCell(1, 1, at("bueno.cso"));
    form.Iniciar.click();
    EXPECT_TRUE(fs::exists(bad));
    EXPECT_TRUE(fs::exists(good));
    EXPECT_EQ(host.events, (Calls{"minimized", "restored"}));
}

TEST_F(JobRunnerTest, MissingPathsOnlyWarn) {
    form.editiso.setText(file("juego.iso"));
    form.Iniciar.click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Introducir Datos");
    EXPECT_EQ(host.messages[0].text,
              "Debe rellenar los datos de entrada y salida para poder iniciar algun proceso");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(host.events.empty());
}

TEST_F(JobRunnerTest, NeitherFormatDoesNothingButStillWarnsAboutMissingPaths) {
    form.formatodax.setChecked(false);
    single(file("juego.iso"), at("juego.dax"));
    form.suiStringGrid1.setCell(0, 0, at("juego.iso"));
    form.Iniciar.click();
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(host.events.empty());
    EXPECT_TRUE(host.messages.empty());
    form.suiStringGrid1.setCell(0, 0, "");
    single("", "");
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(JobRunnerTest, EndOfRunActionsInOrder) {
    form.ApagaWindows.click();
    form.ReproSoundalFin.click();
    single(file("juego.iso"), at("juego.dax"));
    EXPECT_EQ(host.events,
              (Calls{"minimized", "power off", "closed",
                     "sound " + (program / "xtras" / "convfin.wav").string(), "restored"}));
    EXPECT_TRUE(form.closed());
}

TEST(EjecutarYEsperar, ReturnsTheToolsExitCodeOrMinusOne) {
    test::TempDir temp;
    fs::path folder = temp / "con blancos" / "kvt";
    fs::create_directories(folder);
    fs::path tool = folder / (std::string("daxcr") + kToolSuffix);
    fs::copy_file(fakeTool(), tool);
    std::ofstream(folder / "daxcr.exit") << 7;
    CommandLine line{tool.string(), {"-d", "a b", "c"}, tool.string() + " -d \"a b\" \"c\""};
    EXPECT_EQ(EjecutarYEsperar(line, kShowNormal), 7);
    std::ifstream calls(folder / "calls.log");
    std::string recorded;
    std::getline(calls, recorded);
    EXPECT_EQ(recorded, "daxcr|-d|a b|c");
    line.program = (folder / "nada").string();
    line.text = line.program;
    EXPECT_EQ(EjecutarYEsperar(line, kShowNormal), -1);
}

}  // namespace
}  // namespace vz
