#include <windows.h>

#include "platform/error.h"
#include "platform/registry.h"

namespace vz {

// HKEY_CLASSES_ROOT itself.
class Win32Registry final : public Registry {
  public:
    bool createKey(const std::string& key) override {
        HKEY handle;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &handle, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(handle);
        return true;
    }

    bool keyExists(const std::string& key) override {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(handle);
        return true;
    }

    std::string readDefault(const std::string& key) override {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
            return "";
        }
        DWORD type = 0;
        DWORD size = 0;
        LONG result = RegQueryValueExA(handle, nullptr, nullptr, &type, nullptr, &size);
        std::string value;
        if (result == ERROR_SUCCESS && size > 0) {
            if (type != REG_SZ && type != REG_EXPAND_SZ) {
                RegCloseKey(handle);
                throw Error("Invalid data type for ''");
            }
            value.resize(size);
            RegQueryValueExA(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                             &size);
            value.resize(value.find('\0') == std::string::npos ? size : value.find('\0'));
        }
        RegCloseKey(handle);
        return value;
    }

    void writeDefault(const std::string& key, const std::string& value) override {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_ALL_ACCESS, &handle) !=
            ERROR_SUCCESS) {
            throw Error(registryWriteError());
        }
        LONG result =
            RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
        RegCloseKey(handle);
        if (result != ERROR_SUCCESS)
            throw Error(registryWriteError());
    }

    bool deleteTree(const std::string& key) override {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_ALL_ACCESS, &handle) !=
            ERROR_SUCCESS) {
            return false;
        }
        // Subkeys first, deepest first.
        char name[256];
        for (;;) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(handle, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            if (!deleteTree(key + "\\" + name))
                break;
        }
        RegCloseKey(handle);
        return RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str()) == ERROR_SUCCESS;
    }
};

Registry& win32ClassesRoot() {
    static Win32Registry registry;
    return registry;
}

}  // namespace vz
