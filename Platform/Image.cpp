// Images made from icon-family files.
#include "Image.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string_view>

namespace platform {

namespace {

// Larger files are no icon the panes show; they are refused before reading.
constexpr std::uintmax_t kMaxIconFamilySize = std::uintmax_t{1} << 24;
constexpr std::size_t kHeaderSize = 8;

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// True when the bytes are a header followed by whole elements, the header's
// length counting them all.
bool IsIconFamily(std::string_view bytes) {
    if (bytes.size() < kHeaderSize || bytes.substr(0, 4) != "icns") return false;
    if (BigEndian32(bytes, 4) != bytes.size()) return false;
    for (std::size_t at = kHeaderSize; at < bytes.size();) {
        if (bytes.size() - at < kHeaderSize) return false;
        const std::uint32_t length = BigEndian32(bytes, at + 4);
        if (length < kHeaderSize || length > bytes.size() - at) return false;
        at += length;
    }
    return true;
}

}  // namespace

std::optional<Image> Image::FromFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxIconFamilySize) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) return std::nullopt;
    if (!IsIconFamily(bytes)) return std::nullopt;
    return Image(path.filename().string());
}

}  // namespace platform
