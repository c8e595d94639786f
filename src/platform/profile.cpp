#include "platform/profile.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/file_text.h"

namespace vz {
namespace {

constexpr std::size_t kMaxValue = 2047;

struct Line {
    std::size_t start;  // of the line
    std::size_t end;    // of its text, before the line end
    std::size_t next;   // of the following line
};

std::vector<Line> linesOf(const std::string& text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back({start, text.size(), text.size()});
            break;
        }
        std::size_t next =
            end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
        lines.push_back({start, end, next});
        start = next;
    }
    return lines;
}

std::string trim(std::string_view text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return "";
    std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The section named by a "[name]" line, or nothing.
bool sectionName(std::string_view line, std::string& name) {
    std::string trimmed = trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[')
        return false;
    std::size_t close = trimmed.find(']');
    if (close == std::string::npos)
        return false;
    name = trim(std::string_view(trimmed).substr(1, close - 1));
    return true;
}

struct Found {
    bool section = false;
    std::size_t sectionLine = 0;
    std::size_t lastLine = 0;  // last non-blank line of the section
    bool key = false;
    std::size_t keyLine = 0;
    std::string keyName;
    std::string value;
};

Found find(const std::string& text, const std::vector<Line>& lines, const std::string& section,
           const std::string& key) {
    Found found;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line(text.data() + lines[i].start, lines[i].end - lines[i].start);
        std::string name;
        if (sectionName(line, name)) {
            if (inside)
                break;
            inside = sameName(name, section);
            if (inside) {
                found.section = true;
                found.sectionLine = found.lastLine = i;
            }
            continue;
        }
        if (!inside)
            continue;
        if (!trim(line).empty())
            found.lastLine = i;
        std::size_t equals = line.find('=');
        if (found.key || equals == std::string_view::npos)
            continue;
        std::string lineKey = trim(line.substr(0, equals));
        if (sameName(lineKey, key)) {
            found.key = true;
            found.keyLine = i;
            found.keyName = lineKey;
            found.value = trim(line.substr(equals + 1));
        }
    }
    return found;
}

std::string unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > kMaxValue)
        value.resize(kMaxValue);
    return value;
}

}  // namespace

std::string readProfileText(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& fallback) {
    Found found = find(text, linesOf(text), section, key);
    if (found.key)
        return unquoted(found.value);
    std::string result = fallback;
    result.erase(result.find_last_not_of(' ') + 1);
    return result;
}

std::string writeProfileText(const std::string& text, const std::string& section,
                             const std::string& key, const std::string& value) {
    std::vector<Line> lines = linesOf(text);
    Found found = find(text, lines, section, key);
    if (found.key) {
        const Line& line = lines[found.keyLine];
        return text.substr(0, line.start) + found.keyName + "=" + value + text.substr(line.end);
    }
    std::string entry = key + "=" + value + "\r\n";
    if (found.section) {
        const Line& last = lines[found.lastLine];
        std::string before = text.substr(0, last.next);
        if (last.next == last.end)
            before += "\r\n";  // the last line had no line end
        return before + entry + text.substr(last.next);
    }
    std::string result = text;
    if (!result.empty() && result.back() != '\n' && result.back() != '\r')
        result += "\r\n";
    return result + "[" + section + "]\r\n" + entry;
}

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& fallback) {
    std::optional<std::string> text;
    try {
        text = readFileIfPresent(path);
    } catch (const Error&) {
        // As the system's profile functions: a file that cannot be read gives the default.
    }
    return readProfileText(text.value_or(""), section, key, fallback);
}

void writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    try {
        // A missing file is created by the first write; one that cannot be read is never
        // replaced by a file holding only this key.
        std::string text = readFileIfPresent(path).value_or("");
        replaceFile(path, writeProfileText(text, section, key, value));
    } catch (const Error&) {
        throw ProfileWriteError(path);
    }
}

}  // namespace vz
