// Errors that the behaviour does not catch carry the exact text the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace vz {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace vz
