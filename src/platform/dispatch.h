// The edge of every event handler: an error that escapes it ends the handler and is reported.
#pragma once

#include <functional>

namespace vz {

class Host;

// Runs the handler; returns false when it ended with an error, which has been reported.
bool dispatch(Host& host, const std::function<void()>& handler);

}  // namespace vz
