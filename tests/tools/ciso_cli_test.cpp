// The ciso program as the window runs it: exit codes, messages, and the user's files.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/tool_support.h"

namespace vz::test {
namespace {

namespace fs = std::filesystem;

const std::string kCiso = VZ_TOOLS_DIR "/ciso";

class CisoCli : public testing::Test {
  protected:
    CisoCli() {
        iso = textBytes(2048 * 40 + 300, 21);
        writeFile(dir / "juego.iso", iso);
    }
    RunResult ciso(const std::vector<std::string>& arguments) {
        return runProgram(kCiso, arguments);
    }
    std::string at(const char* name) const { return (dir / name).string(); }

    TempDir dir;
    std::vector<std::uint8_t> iso;
};

TEST_F(CisoCli, CompressesAndDecompressesWithTheWindowsLines) {
    RunResult packed = ciso({"6", at("juego.iso"), at("juego.cso")});
    ASSERT_EQ(packed.exitCode, 0) << packed.output;
    EXPECT_NE(packed.output.find("juego.cso"), std::string::npos) << "summary names the output";
    RunResult unpacked = ciso({"0", at("juego.cso"), at("vuelta.iso")});
    ASSERT_EQ(unpacked.exitCode, 0) << unpacked.output;
    EXPECT_EQ(readFile(dir / "vuelta.iso"), iso);
    EXPECT_EQ(folderEntries(dir.path()),
              (std::vector<std::string>{"juego.cso", "juego.iso", "vuelta.iso"}));
}

TEST_F(CisoCli, RunsFromAProgramFolderWithBlanks) {
    fs::path folder = dir / "Mis Programas" / "kvt";
    fs::create_directories(folder);
    fs::copy_file(kCiso, folder / "ciso");
    fs::permissions(folder / "ciso", fs::perms::owner_all);
    RunResult packed = runProgram((folder / "ciso").string(),
                                  {"9", at("juego.iso"), (dir / "con blanco.cso").string()});
    ASSERT_EQ(packed.exitCode, 0) << packed.output;
    EXPECT_TRUE(fs::exists(dir / "con blanco.cso"));
}

struct BadCall {
    const char* name;
    std::vector<std::string> arguments;  // "@x" stands for the file x in the test folder
    int exitCode;
    const char* message;
};

class CisoBadCall : public CisoCli, public testing::WithParamInterface<BadCall> {};

TEST_P(CisoBadCall, FailsWithItsCodeAndLeavesNoOutput) {
    std::vector<std::string> arguments;
    for (const auto& argument : GetParam().arguments) {
        arguments.push_back(argument.rfind("@", 0) == 0 ? at(argument.c_str() + 1) : argument);
    }
    RunResult result = ciso(arguments);
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.output;
    EXPECT_NE(result.output.find(GetParam().message), std::string::npos) << result.output;
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"juego.iso"});
    EXPECT_EQ(readFile(dir / "juego.iso"), iso);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CisoBadCall,
    testing::Values(
        BadCall{"no_arguments", {}, 1, "expected LEVEL IN OUT"},
        BadCall{"level_not_a_digit", {"x", "@juego.iso", "@out.cso"}, 1, "LEVEL must be"},
        BadCall{"level_over_nine", {"12", "@juego.iso", "@out.cso"}, 1, "not '12'"},
        BadCall{"extra_argument", {"9", "@juego.iso", "@out.cso", "@more"}, 1, "expected"},
        BadCall{"unknown_option", {"--fast", "9", "@juego.iso", "@out.cso"}, 1, "unknown option"},
        BadCall{"bad_threads", {"--threads", "0", "9", "@juego.iso", "@out.cso"}, 1, "--threads"},
        BadCall{"missing_input", {"9", "@nada.iso", "@out.cso"}, 2, "nada.iso: cannot open"},
        BadCall{"input_not_a_cso", {"0", "@juego.iso", "@out.iso"}, 2, "not a CSO image"},
        BadCall{"same_file", {"9", "@juego.iso", "@juego.iso"}, 1, "same file"},
        BadCall{"same_file_other_spelling", {"9", "@juego.iso", "@./juego.iso"}, 1, "same file"},
        BadCall{"output_folder_missing",
                {"9", "@juego.iso", "@no/such/out.cso"},
                3,
                "out.cso: cannot create"}),
    [](const testing::TestParamInfo<BadCall>& param) { return std::string(param.param.name); });

TEST_F(CisoCli, RefusesALinkToTheInputAndKeepsAnExistingOutputOnFailure) {
    fs::create_symlink(dir / "juego.iso", dir / "enlace.iso");
    EXPECT_EQ(ciso({"9", at("juego.iso"), at("enlace.iso")}).exitCode, 1);
    EXPECT_EQ(readFile(dir / "juego.iso"), iso);

    writeFile(dir / "viejo.iso", {1, 2, 3});
    writeFile(dir / "roto.cso", {'C', 'I', 'S', 'O', 0, 0, 0, 0});
    EXPECT_EQ(ciso({"0", at("roto.cso"), at("viejo.iso")}).exitCode, 2);
    EXPECT_EQ(readFile(dir / "viejo.iso"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(CisoCli, ReplacesAnExistingOutputOnlyOnSuccess) {
    writeFile(dir / "juego.cso", {9, 9, 9});
    ASSERT_EQ(ciso({"9", at("juego.iso"), at("juego.cso")}).exitCode, 0);
    ASSERT_EQ(ciso({"0", at("juego.cso"), at("vuelta.iso")}).exitCode, 0);
    EXPECT_EQ(readFile(dir / "vuelta.iso"), iso);
}

TEST_F(CisoCli, AnInterruptedRunLeavesNoFileBehind) {
    // Large enough to still be running when the signal comes.
    fs::resize_file(dir / "juego.iso", 0);
    writeFile(dir / "grande.iso", textBytes(64 << 20, 22));
    std::string program = kCiso;
    std::string in = at("grande.iso");
    std::string out = at("grande.cso");
    pid_t pid = fork();
    if (pid == 0) {
        execl(program.c_str(), program.c_str(), "--threads", "1", "9", in.c_str(), out.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "finished before the signal; make the image larger";
    EXPECT_EQ(folderEntries(dir.path()), (std::vector<std::string>{"grande.iso", "juego.iso"}));
}

TEST_F(CisoCli, RoundTripsARealIsoFileSystem) {
    fs::path tree = dir / "arbol";
    fs::create_directories(tree / "PSP_GAME" / "USRDIR");
    writeFile(tree / "PSP_GAME" / "PARAM.SFO", textBytes(700, 23));
    writeFile(tree / "PSP_GAME" / "USRDIR" / "DATA.BIN", textBytes(300000, 24));
    writeFile(tree / "PSP_GAME" / "USRDIR" / "MOVIE.PMF", randomBytes(200000, 25));
    makeIsoImage(tree, dir / "disco.iso");
    for (const char* level : {"1", "9"}) {
        ASSERT_EQ(ciso({level, at("disco.iso"), at("disco.cso")}).exitCode, 0);
        ASSERT_EQ(ciso({"0", at("disco.cso"), at("disco2.iso")}).exitCode, 0);
        EXPECT_EQ(readFile(dir / "disco2.iso"), readFile(dir / "disco.iso")) << level;
    }
}

}  // namespace
}  // namespace vz::test
