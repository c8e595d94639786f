#include "platform/dispatch.h"

#include <exception>

#include "platform/host.h"

namespace vz {

bool dispatch(Host& host, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        host.reportError(error.what());
    } catch (...) {
        host.reportError("Error desconocido");
    }
    return false;
}

}  // namespace vz
