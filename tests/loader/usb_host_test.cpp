#include <gtest/gtest.h>

#include <fstream>

#include "platform/profile.h"
#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

constexpr const char* kActivated = "Configuracion DAX ZISO Para Via USB\r\n\r\nESTADO: ACTIVADO";
constexpr const char* kDeactivated =
    "Configuracion DAX ZISO Para Via USB\r\n\r\nESTADO: DESACTIVADO";

class UsbHostTest : public testing::Test {
  protected:
    UsbHostTest() {
        system.executable = (dir / "vortel").string();
        std::ofstream(dir / "vortelcfg.ini") << "";
        form.create("");
    }
    std::string file(const char* name, const std::string& text) {
        std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    void pick(MenuItem& command, const std::string& path) {
        host.fileAnswers.push_back(path);
        command.click();
    }
    std::string lastMessage() const {
        return host.messages.empty() ? "" : host.messages.back().text;
    }

    test::TempDir dir;
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
};

TEST_F(UsbHostTest, SwitchOnThenCheckThenOffThenCheck) {
    std::string ini =
        file("daxziso.ini",
             "[GENERAL]\r\nlang=es\r\n[HOST]\r\ndriver=x\r\nname=y\r\ntype=z\r\n[OTRO]\r\nk=v\r\n");
    pick(form.USBActivar, ini);
    EXPECT_EQ(read(ini),
              "[GENERAL]\r\nlang=es\r\n[HOST]\r\ndriver= \"ms0:/DAXZISO/usbhostfs.prx\"\r\nname= "
              "\"USBHostFSDriver\"\r\ntype= USB\r\n[OTRO]\r\nk=v\r\n");
    pick(form.ComprobarEstado1, ini);
    EXPECT_EQ(lastMessage(), kActivated);
    EXPECT_EQ(host.messages.back().caption, "Estado USB");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Information);
    pick(form.USBDesactivar, ini);
    EXPECT_EQ(read(ini),
              "[GENERAL]\r\nlang=es\r\n[HOST]\r\ndriver= null\r\nname= null\r\ntype= "
              "USB\r\n[OTRO]\r\nk=v\r\n");
    pick(form.ComprobarEstado1, ini);
    EXPECT_EQ(lastMessage(), kDeactivated);
}

TEST_F(UsbHostTest, AFileWithoutHostGetsTheSectionAtItsEnd) {
    std::string ini = file("daxziso.ini", "[GENERAL]\r\nlang=es\r\n");
    pick(form.ComprobarEstado1, ini);
    EXPECT_TRUE(host.messages.empty()) << "no HOST: no message";
    EXPECT_EQ(read(ini), "[GENERAL]\r\nlang=es\r\n");
    pick(form.USBActivar, ini);
    EXPECT_EQ(read(ini).rfind("[GENERAL]\r\nlang=es\r\n[HOST]\r\ndriver= ", 0), 0u);
}

TEST_F(UsbHostTest, NameWithoutQuotesCountsLowerCaseDoesNot) {
    std::string bare = file("a.ini", "[HOST]\r\nname=USBHostFSDriver\r\n");
    pick(form.ComprobarEstado1, bare);
    EXPECT_EQ(lastMessage(), kActivated);
    std::string lower = file("b.ini", "[HOST]\r\nname=usbhostfsdriver\r\n");
    pick(form.ComprobarEstado1, lower);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(UsbHostTest, TheDialogProposesTheFileLastSwitchedOn) {
    std::string a = file("a.ini", "");
    std::string b = file("b.ini", "");
    form.ComprobarEstado1.click();  // cancelled
    EXPECT_EQ(host.fileDialogs.back().presetFileName, "daxziso.ini");
    pick(form.USBActivar, a);
    pick(form.USBDesactivar, b);
    form.ComprobarEstado1.click();
    EXPECT_EQ(host.fileDialogs.back().name, "DialogUSBConfig");
    EXPECT_EQ(host.fileDialogs.back().presetFileName, a) << "switching B off leaves A remembered";
}

TEST_F(UsbHostTest, ResetForgetsTheFileAndTheCloseDoesNotBringItBack) {
    pick(form.USBActivar, file("a.ini", ""));
    form.Restablecervalorespordefecto1.click();
    form.close();
    form.ComprobarEstado1.click();
    EXPECT_EQ(host.fileDialogs.back().presetFileName, "daxziso.ini");
}

}  // namespace
}  // namespace vz
