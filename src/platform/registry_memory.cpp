#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "platform/error.h"
#include "platform/registry.h"

namespace vz {
namespace {

std::string folded(std::string key) {
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

bool contains(const std::set<std::string>& keys, const std::string& key) {
    return std::any_of(keys.begin(), keys.end(),
                       [&](const std::string& k) { return folded(k) == folded(key); });
}

}  // namespace

struct MemoryRegistry::Store {
    struct Key {
        std::string name;  // as first written
        std::optional<std::string> value;
    };
    std::map<std::string, Key> keys;  // by folded path
};

MemoryRegistry::MemoryRegistry() : store_(std::make_unique<Store>()) {}
MemoryRegistry::~MemoryRegistry() = default;

bool MemoryRegistry::createKey(const std::string& key) {
    if (keyExists(key))
        return true;
    if (contains(refuseCreate, key))
        return false;
    std::size_t at = 0;
    do {
        at = key.find('\\', at + 1);
        std::string part = key.substr(0, at);
        store_->keys.try_emplace(folded(part), Store::Key{part, std::nullopt});
    } while (at != std::string::npos);
    return true;
}

bool MemoryRegistry::keyExists(const std::string& key) {
    return store_->keys.count(folded(key)) != 0;
}

std::string MemoryRegistry::readDefault(const std::string& key) {
    if (contains(binaryValue, key))
        throw Error("Invalid data type for ''");
    auto found = store_->keys.find(folded(key));
    if (found == store_->keys.end() || !found->second.value)
        return "";
    return *found->second.value;
}

void MemoryRegistry::writeDefault(const std::string& key, const std::string& value) {
    auto found = store_->keys.find(folded(key));
    if (found == store_->keys.end() || contains(refuseWrite, key))
        throw Error(registryWriteError());
    found->second.value = value;
}

bool MemoryRegistry::deleteTree(const std::string& key) {
    std::string root = folded(key);
    if (!store_->keys.count(root))
        return false;
    std::erase_if(store_->keys, [&](const auto& entry) {
        return entry.first == root || entry.first.rfind(root + "\\", 0) == 0;
    });
    return true;
}

std::string MemoryRegistry::dump() const {
    std::string text;
    for (const auto& [folded, key] : store_->keys) {
        text += key.name;
        if (key.value)
            text += " = " + *key.value;
        text += "\n";
    }
    return text;
}

}  // namespace vz
