// Profile (INI) files read and written one key at a time, as the system's profile functions
// do: sections and keys found without regard to case, values written exactly as given, and
// every write replacing the file in one step.
#pragma once

#include <string>

#include "platform/error.h"

namespace vz {

// A profile write that failed; the text is "Unable to write to PATH".
class ProfileWriteError : public Error {
  public:
    explicit ProfileWriteError(const std::string& path) : Error("Unable to write to " + path) {}
};

// The value after "=", without the blanks around it and one enclosing pair of quotes, at
// most 2047 characters; a present empty value is "". A missing file, section or key gives the
// default with its trailing blanks removed.
std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& fallback);

// Replaces the key's value in place, adds a missing key at the end of its section, or a
// missing section at the end of the file; every other line is kept.
void writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

// The same over text in memory, for the writer above and for tests.
std::string readProfileText(const std::string& text, const std::string& section,
                            const std::string& key, const std::string& fallback);
std::string writeProfileText(const std::string& text, const std::string& section,
                             const std::string& key, const std::string& value);

}  // namespace vz
