#include "image/iso9660.h"

#include <algorithm>
#include <array>
#include <set>

#include "image/little_endian.h"
#include "image/tool_error.h"

namespace vz::image {
namespace {

constexpr std::uint32_t kSector = 2048;
constexpr int kMaxDepth = 32;
constexpr std::size_t kMaxFiles = 1 << 20;
constexpr std::uint32_t kMaxDirectoryBytes = 16 << 20;

struct Walker {
    ByteSource& image;
    std::uint64_t sectors;
    std::vector<IsoFile> files;
    std::set<std::uint32_t> visited;

    bool inImage(std::uint32_t extent, std::uint64_t length) const {
        return extent < sectors && length <= (sectors - extent) * kSector;
    }

    void directory(std::uint32_t extent, std::uint32_t length, const std::string& path, int depth) {
        if (depth > kMaxDepth || length > kMaxDirectoryBytes || !inImage(extent, length))
            return;
        if (!visited.insert(extent).second)
            return;
        std::vector<std::uint8_t> bytes(length);
        image.readAt(std::uint64_t{extent} * kSector, bytes);
        for (std::uint32_t sector = 0; sector < length; sector += kSector) {
            std::uint32_t end = std::min(length, sector + kSector);
            for (std::uint32_t at = sector; at < end && files.size() < kMaxFiles;) {
                std::uint8_t recordLength = bytes[at];
                if (recordLength == 0)
                    break;  // the rest of this sector is padding
                if (recordLength < 34 || at + recordLength > end)
                    break;
                record(std::span(bytes).subspan(at, recordLength), path, depth);
                at += recordLength;
            }
        }
    }

    void record(std::span<const std::uint8_t> r, const std::string& path, int depth) {
        std::uint8_t nameLength = r[32];
        if (33u + nameLength > r.size())
            return;
        std::string name(reinterpret_cast<const char*>(r.data() + 33), nameLength);
        if (nameLength == 1 && (name[0] == '\0' || name[0] == '\1'))
            return;  // "." and ".."
        std::uint32_t extent = readU32(r.subspan(2));
        std::uint32_t length = readU32(r.subspan(10));
        bool isDirectory = r[25] & 0x02;
        if (isDirectory) {
            directory(extent, length, path + "/" + name, depth + 1);
            return;
        }
        if (std::size_t version = name.rfind(';'); version != std::string::npos) {
            name.resize(version);
        }
        if (!inImage(extent, length))
            return;
        files.push_back({path + "/" + name, std::uint64_t{extent} * kSector, length});
    }
};

}  // namespace

std::vector<IsoFile> listIsoFiles(ByteSource& image) {
    std::array<std::uint8_t, kSector> descriptor{};
    if (image.size() < 17 * kSector)
        throw inputError(image.name(), "not an ISO 9660 image");
    image.readAt(16 * kSector, descriptor);
    if (descriptor[0] != 1 ||
        !std::equal(descriptor.begin() + 1, descriptor.begin() + 6, "CD001")) {
        throw inputError(image.name(), "not an ISO 9660 image (no primary volume descriptor)");
    }
    Walker walker{image, image.size() / kSector, {}, {}};
    auto root = std::span(descriptor).subspan(156, 34);
    walker.directory(readU32(root.subspan(2)), readU32(root.subspan(10)), "", 0);
    return std::move(walker.files);
}

}  // namespace vz::image
