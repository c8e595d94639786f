#include "platform/paths.h"

namespace vz {
namespace {

std::size_t nameStart(std::string_view path, const PathRules& rules) {
    std::size_t last = path.find_last_of(rules.componentEnds);
    return last == std::string_view::npos ? 0 : last + 1;
}

std::size_t extensionStart(std::string_view path, const PathRules& rules) {
    std::size_t start = nameStart(path, rules);
    std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos || dot < start ? path.size() : dot;
}

}  // namespace

std::string namePart(std::string_view path, const PathRules& rules) {
    return std::string(path.substr(nameStart(path, rules)));
}

std::string folderPart(std::string_view path, const PathRules& rules) {
    return std::string(path.substr(0, nameStart(path, rules)));
}

std::string extensionOf(std::string_view path, const PathRules& rules) {
    return std::string(path.substr(extensionStart(path, rules)));
}

std::string changeExtension(std::string_view path, std::string_view extension,
                            const PathRules& rules) {
    std::string result(path.substr(0, extensionStart(path, rules)));
    result += extension;
    return result;
}

std::string relativePath(std::initializer_list<std::string_view> components,
                         const PathRules& rules) {
    std::string result;
    for (std::string_view component : components) {
        if (!result.empty())
            result += rules.separator;
        result += component;
    }
    return result;
}

}  // namespace vz
