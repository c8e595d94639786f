// Any bytes handed to the ISO 9660 walker give a list of files inside the image, or a clear
// input error.
#include <cstddef>
#include <cstdint>

#include "image/iso9660.h"
#include "image/tool_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vz::image::MemorySource source("fuzz.iso", {data, size});
    try {
        for (const auto& file : vz::image::listIsoFiles(source)) {
            if (file.offset > size || file.size > size - file.offset)
                __builtin_trap();
        }
    } catch (const vz::image::ToolError& error) {
        if (error.code() != vz::image::ExitCode::BadInput)
            __builtin_trap();
    }
    return 0;
}
