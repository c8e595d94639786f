// The Win32 backends for real: processes, HKEY_CLASSES_ROOT, files on Windows paths, and the
// two tools started the way the window starts them.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "jobs/command_lines.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

namespace fs = std::filesystem;

fs::path toolsFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return fs::path(path).parent_path().parent_path() / "bin" / "kvt";
}

// A program folder with blanks in its name, holding copies of the real tools.
class ToolsInFolderWithBlanks : public testing::Test {
  protected:
    ToolsInFolderWithBlanks() {
        fs::create_directories(program / "kvt");
        for (const char* tool : {"ciso.exe", "daxcr.exe"}) {
            fs::copy_file(toolsFolder() / tool, program / "kvt" / tool);
        }
        folder = program.string() + "\\";
    }
    bool exists(const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    test::TempDir temp;
    fs::path program = temp / "Mis Programas" / "Conversor";
    std::string folder;
};

TEST_F(ToolsInFolderWithBlanks, CreateProcessStartsTheToolByItsPathAndReturnsItsCode) {
    CommandLine usage = cisoMainLine(folder, " 12", "a", "b");
    EXPECT_EQ(usage.text.substr(0, folder.size()), folder) << "the folder is not quoted";
    EXPECT_EQ(EjecutarYEsperar(usage, kShowNormal), 1);
    CommandLine missing = usage;
    missing.program = folder + "kvt\\nada.exe";
    EXPECT_EQ(EjecutarYEsperar(missing, kShowNormal), -1);
}

TEST_F(ToolsInFolderWithBlanks, RoundTripsThroughBothToolsWithAnsiFileNames) {
    // "canción" in the ANSI code page of Western Windows.
    std::string iso = (temp.path() / "canci").string() + "\xF3n.iso";
    std::vector<std::uint8_t> image = test::textBytes(2048 * 300 + 17, 7);
    HANDLE file = CreateFileA(iso.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    WriteFile(file, image.data(), static_cast<DWORD>(image.size()), &put, nullptr);
    CloseHandle(file);

    std::string cso = iso.substr(0, iso.size() - 4) + ".cso";
    std::string dax = iso.substr(0, iso.size() - 4) + ".dax";
    std::string back1 = iso + ".1", back2 = iso + ".2";
    EXPECT_EQ(EjecutarYEsperar(cisoMainLine(folder, " 9", iso, cso), kShowNormal), 0);
    EXPECT_EQ(EjecutarYEsperar(cisoMainLine(folder, " 0", cso, back1), kShowNormal), 0);
    DaxMainLine compress;
    compress.options = daxOptionPieces("9", true, "8192", false, false);
    compress.input = iso;
    compress.output = dax;
    compress.log = "";
    EXPECT_EQ(EjecutarYEsperar(daxMainLine(folder, compress), kShowNormal), 0);
    EXPECT_EQ(EjecutarYEsperar(daxUnpackLine(folder, dax, back2), kShowNormal), 0);
    for (const std::string& back : {back1, back2}) {
        ASSERT_TRUE(exists(back)) << back;
        std::ifstream in(back, std::ios::binary);
        std::vector<std::uint8_t> read((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(read, image);
    }
}

TEST(Win32Registry, CreatesWritesReadsAndDeletesTrees) {
    Registry& registry = win32ClassesRoot();
    std::string root = "VortelZaduvuvTest" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(registry.createKey(root + "\\Shell\\Convert\\Command"));
    registry.writeDefault(root + "\\Shell\\Convert", "&Comprimir con Vortel");
    EXPECT_EQ(registry.readDefault(root + "\\Shell\\Convert"), "&Comprimir con Vortel");
    EXPECT_EQ(registry.readDefault(root), "");
    EXPECT_TRUE(registry.deleteTree(root));
    EXPECT_FALSE(registry.keyExists(root + "\\Shell"));
    EXPECT_FALSE(registry.deleteTree(root));
    EXPECT_THROW(registry.writeDefault(root, "x"), Error);
}

// The fake system, but with the real HKEY_CLASSES_ROOT.
class RealRegistrySystem : public test::FakeSystem {
  public:
    Registry& classesRoot() override { return win32ClassesRoot(); }
};

TEST(Win32Registry, TheAssociationToggleRegistersAndRemovesForReal) {
    test::ScriptedHost host;
    RealRegistrySystem system;
    system.executable = "C:\\Mis Programas\\Vortel\\Vortel.exe";
    TPrincipal form(host, system);
    Registry& registry = win32ClassesRoot();
    for (const char* key : {".dax", ".iso", ".lvt", ".cso"})
        registry.deleteTree(key);
    form.Menucontextual1.click();
    EXPECT_EQ(registry.readDefault(".iso"), "Vortel.Zaduvuv");
    EXPECT_EQ(registry.readDefault("Vortel.Zaduvuv\\Shell\\Convert\\Command"),
              "\"C:\\Mis Programas\\Vortel\\Vortel.exe\" \"%1\"");
    EXPECT_EQ(registry.readDefault("Vortel.DesZaduvuv"), "Imagen CISO");
    form.Menucontextual1.click();
    EXPECT_EQ(registry.readDefault(".iso"), "");
    EXPECT_FALSE(registry.keyExists("Vortel.Zaduvuv"));
    EXPECT_FALSE(registry.keyExists("Vortel.Listado"));
}

TEST(Win32Files, SettingsFileOnAWindowsPath) {
    test::TempDir temp;
    std::string path = temp.path().string() + "\\vortelcfg.ini";
    ASSERT_EQ(path[1], ':') << "a drive letter";
    writeProfileString(path, "CONFIGURACION", "UsoNC", "1");
    writeProfileString(path, "XTRAS", "SonidoFin", "C:\\P\\xtras\\convfin.wav");
    writeProfileString(path, "configuracion", "usonc", "0");
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}),
              "[CONFIGURACION]\r\nUsoNC=0\r\n[XTRAS]\r\nSonidoFin=C:\\P\\xtras\\convfin.wav\r\n");
    EXPECT_EQ(readProfileString(path, "xtras", "SONIDOFIN", ""), "C:\\P\\xtras\\convfin.wav");
    EXPECT_THROW(writeProfileString(temp.path().string() + "\\no\\x.ini", "A", "b", "c"),
                 ProfileWriteError);
}

TEST(Win32Files, TheProgramFolderEndsInABackslash) {
    test::ScriptedHost host;
    System& system = realSystem();
    TPrincipal form(host, system);
    std::string executable = system.executablePath();
    EXPECT_EQ(executable.substr(executable.size() - 4), ".exe");
    EXPECT_TRUE(system.fileExists(executable));
    EXPECT_NE(system.userConfigFolder().find("\\Vortel Zaduvuv\\"), std::string::npos);
}

}  // namespace
}  // namespace vz
