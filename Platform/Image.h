// Stand-in for the platform's images, as far as the panes use them: an image
// made from a resource file of the bundle, to be shown on a button. The
// images the extension ships are icon families ("icns" files); one can be
// made from a file that is a whole icon family, whose icons the text widget
// layer never draws, so it shows the image by its file name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

class Image {
public:
    // The image of the file, or nothing when the file cannot be read or is
    // not an icon family: the four bytes "icns", then the family's length as
    // a 32-bit big-endian number that equals the file's size, then whole
    // elements (four type bytes and a 32-bit big-endian length counting
    // those eight bytes).
    static std::optional<Image> FromFile(const std::filesystem::path& path);

    // The file name the image was made from ("jobsetup2.icns").
    const std::string& name() const { return m_name; }

    friend bool operator==(const Image&, const Image&) = default;

private:
    explicit Image(std::string name) : m_name(std::move(name)) {}
    std::string m_name;
};

}  // namespace platform
