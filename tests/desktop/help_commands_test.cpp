#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "desktop/addresses.h"
#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

class HelpCommandsTest : public testing::Test {
  protected:
    void start(const std::string& folderName) {
        folder = temp / folderName;
        std::filesystem::create_directories(folder / "update");
        system.executable = (folder / "renombrado").string();
        system.events = &host.events;
        std::ofstream(folder / "vortelcfg.ini") << "";
        form.create("");
    }
    test::TempDir temp;
    std::filesystem::path folder;
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
};

TEST_F(HelpCommandsTest, UpdateLineForFoldersWithAndWithoutBlanks) {
    for (const char* name : {"P", "Mis Programas"}) {
        host.events.clear();
        start(name);
#ifdef _WIN32
        const std::string updater = "update\\DuRorera.exe", separator = "\\";
#else
        const std::string updater = "update/DuRorera", separator = "/";
#endif
        std::ofstream(folder / updater) << "";
        form.Actualizar1.click();
        std::string p = folder.string() + separator;
        ASSERT_EQ(host.events.size(), 1u) << name;
        EXPECT_EQ(host.events[0], "start " + p + updater + " 2.5\"" + p + "vortel.exe\"" +
                                      kUpdateManifestAddress + "\"");
        EXPECT_TRUE(std::string(kUpdateManifestAddress).ends_with("/vortel.ezm"));
        EXPECT_TRUE(form.closed()) << "closes through its normal path";
        EXPECT_TRUE(std::filesystem::exists(folder / "vortelcfg.ini"));
        EXPECT_NE(std::ifstream(folder / "vortelcfg.ini").peek(), EOF) << "settings saved";
    }
}

TEST_F(HelpCommandsTest, MissingUpdateModuleSaysSoAndKeepsRunning) {
    start("P");
    form.Actualizar1.click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Actualizacion");
    EXPECT_EQ(host.messages[0].text, "El modulo de actualizacion no ha sido instalado");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Information);
    EXPECT_FALSE(form.closed());
    EXPECT_TRUE(host.events.empty());
}

TEST_F(HelpCommandsTest, CompatibilityListOpensTheAddress) {
    start("P");
    form.ListadeCompatibilidad1.click();
    EXPECT_EQ(host.events,
              std::vector<std::string>{std::string("open ") + kCompatibilityListAddress});
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HelpCommandsTest, AboutShowsThreeLines) {
    start("P");
    form.Acercade1.click();
    ASSERT_EQ(host.messages.size(), 1u);
    const std::string& text = host.messages[0].text;
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(host.messages[0].buttonCount, 1);
    EXPECT_EQ(text.rfind("Vortel Zaduvuv v2.5\r\nAutor: Zelbrin\r\n", 0), 0u);
    std::size_t lines = 1;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 3u);
}

TEST_F(HelpCommandsTest, SoundChooserChangesOnlyTheSoundPath) {
    start("P");
    std::string before = form.endSoundPath();
    form.SonidoalTerminar1.click();  // cancelled
    EXPECT_EQ(form.endSoundPath(), before);
    host.fileAnswers.push_back("/sonidos/fin.wav");
    form.SonidoalTerminar1.click();
    EXPECT_EQ(host.fileDialogs.back().name, "OpenSound");
    EXPECT_EQ(form.endSoundPath(), "/sonidos/fin.wav");
    EXPECT_FALSE(form.ReproSoundalFin.checked());
    EXPECT_TRUE(host.events.empty()) << "nothing played";
}

}  // namespace
}  // namespace vz
