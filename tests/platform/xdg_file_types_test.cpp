#include "platform/xdg_file_types.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/tool_support.h"

namespace vz {
namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::vector<std::string> filesUnder(const fs::path& folder) {
    std::vector<std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), folder).string());
    }
    return files;
}

TEST(XdgFileTypes, RegisterThenRemoveLeavesNothing) {
    test::TempDir data;
    registerXdgFileTypes(data.path().string(), "/opt/Mis Programas/vortel");
    std::string entry = read(data / "applications" / "vortel-zaduvuv.desktop");
    EXPECT_NE(entry.find("Exec=\"/opt/Mis Programas/vortel\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("MimeType=application/x-cd-image;"), std::string::npos);
    EXPECT_NE(entry.find("application/x-dax-image;"), std::string::npos);
    EXPECT_NE(entry.find("application/x-vortel-list;"), std::string::npos);
    for (const char* action :
         {"Name=Comprimir con Vortel", "Name=Descomprimir con Vortel", "Name=Listar Con Vortel"}) {
        EXPECT_NE(entry.find(action), std::string::npos) << action;
    }
    std::string mime = read(data / "mime" / "packages" / "vortel-zaduvuv.xml");
    for (const char* glob : {"*.dax", "*.cso", "*.lvt"}) {
        EXPECT_NE(mime.find(glob), std::string::npos) << glob;
    }
    unregisterXdgFileTypes(data.path().string());
    EXPECT_EQ(filesUnder(data.path()), std::vector<std::string>{});
}

TEST(XdgFileTypes, RemovalKeepsOtherProgramsFiles) {
    test::TempDir data;
    fs::create_directories(data / "applications");
    std::ofstream(data / "applications" / "otro.desktop") << "[Desktop Entry]\nName=Otro\n";
    registerXdgFileTypes(data.path().string(), "/opt/vortel/vortel");
    unregisterXdgFileTypes(data.path().string());
    std::vector<std::string> left = filesUnder(data.path());
    EXPECT_NE(std::find(left.begin(), left.end(), "applications/otro.desktop"), left.end());
    EXPECT_EQ(std::find(left.begin(), left.end(), "applications/vortel-zaduvuv.desktop"),
              left.end());
}

TEST(XdgFileTypes, ExecLineQuotesWhatTheDesktopWouldSplitOrExpand) {
    EXPECT_EQ(desktopExecLine("/opt/vortel/vortel"), "\"/opt/vortel/vortel\" %f");
    EXPECT_EQ(desktopExecLine("/opt/100% \"raro\"/vortel"),
              "\"/opt/100%% \\\\\"raro\\\\\"/vortel\" %f");
}

}  // namespace
}  // namespace vz
