// The keys under HKEY_CLASSES_ROOT that file associations use. Key paths are relative to it,
// with backslashes, compared without regard to case as the system does.
#pragma once

#include <memory>
#include <set>
#include <string>

namespace vz {

class Registry {
  public:
    virtual ~Registry() = default;
    // Opens the key, creating it and its parents when missing; false when it can be neither.
    virtual bool createKey(const std::string& key) = 0;
    virtual bool keyExists(const std::string& key) = 0;
    // The key's default value; empty when there is none. An Error when it is not text.
    virtual std::string readDefault(const std::string& key) = 0;
    // Writes the default value as text; an Error when the system refuses.
    virtual void writeDefault(const std::string& key, const std::string& value) = 0;
    // Deletes the key with all its subkeys, deepest first; false when there was none.
    virtual bool deleteTree(const std::string& key) = 0;
};

// The text of a refused write, as the system's registry wrapper words it.
inline std::string registryWriteError() {
    return "Failed to set data for ''";
}

// Keys in memory: the registry of a platform that has none, and of tests, which can make
// the backend refuse what a real registry may refuse.
class MemoryRegistry : public Registry {
  public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    bool createKey(const std::string& key) override;
    bool keyExists(const std::string& key) override;
    std::string readDefault(const std::string& key) override;
    void writeDefault(const std::string& key, const std::string& value) override;
    bool deleteTree(const std::string& key) override;

    // Keys that cannot be created, keys whose default value cannot be written, and keys whose
    // default value is not text.
    std::set<std::string> refuseCreate;
    std::set<std::string> refuseWrite;
    std::set<std::string> binaryValue;
    // Every key, with its value when it has one; for inspection.
    std::string dump() const;

  private:
    struct Store;
    std::unique_ptr<Store> store_;
};

#ifdef _WIN32
// HKEY_CLASSES_ROOT itself.
Registry& win32ClassesRoot();
#endif

}  // namespace vz
