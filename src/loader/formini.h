// The loader plug-in configuration window, shown modally when a configuration is written.
#pragma once

#include "platform/controls.h"

namespace vz {

class Tformini : public Form {
public:
    Tformini();
};

}  // namespace vz
