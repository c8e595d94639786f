// Operating-system services the behaviour uses. Tests substitute a fake that records calls.
#pragma once

#include <string>

namespace vz {

class Registry;
struct CommandLine;

class System {
  public:
    virtual ~System() = default;
    // The running executable's own full path.
    virtual std::string executablePath() = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // Deletes a file; false when it did not exist or could not be deleted.
    virtual bool deleteFile(const std::string& path) = 0;
    virtual bool folderWritable(const std::string& folder) = 0;
    // The user's own folder for this program's settings, ending in a separator
    // ($XDG_CONFIG_HOME/vortel-zaduvuv/, %APPDATA%\Vortel Zaduvuv\).
    virtual std::string userConfigFolder() = 0;
    // Creates the folder and its parents; false when it cannot be made.
    virtual bool createFolders(const std::string& folder) = 0;
    // Asks the system to power the machine off; the answer is not awaited.
    virtual void powerOff() = 0;
    // Opens a web address in the user's browser; nothing is reported.
    virtual void openAddress(const std::string& address) = 0;
    // Starts a program without waiting for it (the line's text on Windows, its program and
    // arguments elsewhere); nothing is reported.
    virtual void startProgram(const CommandLine& line) = 0;
    // Starts playing a WAV file and returns at once.
    virtual void playSound(const std::string& path) = 0;

    // HKEY_CLASSES_ROOT; on a platform without a registry, keys that live for the run.
    virtual Registry& classesRoot() = 0;
    // Tells the shell that file associations changed (SHChangeNotify).
    virtual void notifyAssociationsChanged() = 0;
    // The desktop's own file associations where they are not kept in the registry
    // (freedesktop desktop entries and shared MIME types); nothing on Windows.
    virtual void registerDesktopFileTypes(const std::string& executable) = 0;
    virtual void unregisterDesktopFileTypes() = 0;
};

// The services of the machine the program runs on.
System& realSystem();

}  // namespace vz
