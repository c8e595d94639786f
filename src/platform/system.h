// Operating-system services the behaviour uses. Tests substitute a fake that records calls.
#pragma once

#include <string>

namespace vz {

class System {
public:
    virtual ~System() = default;
    // The running executable's own full path.
    virtual std::string executablePath() = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // Deletes a file; false when it did not exist or could not be deleted.
    virtual bool deleteFile(const std::string& path) = 0;
    // Asks the system to power the machine off; the answer is not awaited.
    virtual void powerOff() = 0;
    // Starts playing a WAV file and returns at once.
    virtual void playSound(const std::string& path) = 0;
};

// The services of the machine the program runs on.
System& realSystem();

}  // namespace vz
