// Failures of the tools, each with the exit code that tells what went wrong.
#pragma once

#include <stdexcept>
#include <string>

namespace vz::image {

enum class ExitCode { Done = 0, Usage = 1, BadInput = 2, BadOutput = 3 };

class ToolError : public std::runtime_error {
  public:
    ToolError(ExitCode code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    ExitCode code() const { return code_; }

  private:
    ExitCode code_;
};

// The input cannot be read, or is not a valid image.
inline ToolError inputError(const std::string& file, const std::string& reason) {
    return ToolError(ExitCode::BadInput, file + ": " + reason);
}
// The output cannot be written.
inline ToolError outputError(const std::string& file, const std::string& reason) {
    return ToolError(ExitCode::BadOutput, file + ": " + reason);
}
inline ToolError usageError(const std::string& message) {
    return ToolError(ExitCode::Usage, message);
}

}  // namespace vz::image
