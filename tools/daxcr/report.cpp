#include "daxcr/report.h"

#include <cstdio>

namespace vz::image {
namespace {

std::string line(const char* format, auto... values) {
    char text[1024];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

}  // namespace

std::string reportText(const RunReport& r) {
    const auto& s = r.stats;
    double ratio = s.inputBytes ? 100.0 * static_cast<double>(s.outputBytes) /
                                      static_cast<double>(s.inputBytes)
                                : 100.0;
    std::string text = r.decompress ? "daxcr: DAX to ISO\n" : "daxcr: ISO to DAX\n";
    text += line("input:  %s (%llu bytes)\n", r.input.c_str(),
                 static_cast<unsigned long long>(s.inputBytes));
    text += line("output: %s (%llu bytes, %.1f%%)\n", r.output.c_str(),
                 static_cast<unsigned long long>(s.outputBytes), ratio);
    if (!r.decompress)
        text += line("level:  %d\n", r.level);
    text +=
        line("frames: %llu (%llu compressed, %llu NC)\n", static_cast<unsigned long long>(s.blocks),
             static_cast<unsigned long long>(s.blocks - s.storedBlocks),
             static_cast<unsigned long long>(s.storedBlocks));
    if (!r.decompress) {
        text += line("NC areas: %zu\n", r.areas.size());
        for (const FrameRange& area : r.areas) {
            text += line("  first frame %u, %u frames\n", area.first, area.count);
        }
        text += line("files forced NC: %zu\n", r.mediaFiles.size());
        for (const MediaFile& media : r.mediaFiles) {
            text += line("  %s (%s, %llu bytes)\n", media.file.path.c_str(),
                         media.video ? "video" : "audio",
                         static_cast<unsigned long long>(media.file.size));
        }
    }
    text += line("time:   %.2f s\n", r.seconds);
    return text;
}

}  // namespace vz::image
