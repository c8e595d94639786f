// Operating-system services the behaviour uses. Tests substitute a fake that records calls.
#pragma once

#include <string>

namespace vz {

class System {
public:
    virtual ~System() = default;
    // The running executable's own full path.
    virtual std::string executablePath() = 0;
};

// The services of the machine the program runs on.
System& realSystem();

}  // namespace vz
