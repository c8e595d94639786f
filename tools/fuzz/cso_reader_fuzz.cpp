// Any bytes handed to the CSO reader end in an image or a clear input error.
#include <cstddef>
#include <cstdint>

#include "image/cso.h"
#include "image/tool_error.h"
#include "null_sink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vz::image::MemorySource source("fuzz.cso", {data, size});
    vz::image::NullSink sink;
    try {
        vz::image::decompressCso(source, sink, {1, {}});
    } catch (const vz::image::ToolError& error) {
        if (error.code() != vz::image::ExitCode::BadInput)
            __builtin_trap();
    }
    return 0;
}
