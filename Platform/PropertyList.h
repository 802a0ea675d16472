// Stand-in for the platform's property-list serialization: XML property lists
// (dictionaries, arrays, strings, integers, reals, booleans, data and dates)
// read and written through libplist and converted to and from Values. The
// information dictionary, the strings tables and the job templates use it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "FoundationValues.h"

namespace platform {

enum class PropertyListError {
    None,            // read or written
    CannotOpen,      // the file cannot be opened or read
    TooLarge,        // the text is longer than its bound (kMaxPropertyListSize unless the caller gives one)
    Malformed,       // the text is not an XML property list
    TooDeep,         // containers are nested deeper than kMaxPropertyListDepth
    NotADictionary,  // the root is not a dictionary where one is required
    CannotWrite,     // the file cannot be written completely, or the value has no property-list form
};

// Information dictionaries, strings tables and interface files are a few
// kilobytes; far larger texts are refused before parsing, since the parser's
// depth is bounded only by the stack. A reader of larger lists gives its own
// bound, and so does their writer, so that it writes none it cannot read.
constexpr std::size_t kMaxPropertyListSize = std::size_t{1} << 20;
constexpr int kMaxPropertyListDepth = 256;

// What the error means, as the end of a log line that names the file.
const char* DescribePropertyListError(PropertyListError error);

// Parses the text of an XML property list of at most maxSize bytes; nothing,
// and the reason in error, when it is not one. Texts come out valid UTF-8,
// with U+FFFD for broken sequences and for 0 bytes.
std::optional<Value> ParsePropertyList(std::string_view xml, PropertyListError* error = nullptr,
                                       std::size_t maxSize = kMaxPropertyListSize);
// The same for a property list whose root must be a dictionary.
std::optional<Dictionary> ParseDictionary(std::string_view xml, PropertyListError* error = nullptr,
                                          std::size_t maxSize = kMaxPropertyListSize);
// The XML text of a value. Texts and keys holding a 0 byte, which XML cannot
// carry, have it replaced by U+FFFD. Nothing for None or for containers nested
// deeper than kMaxPropertyListDepth (as a container that holds itself is).
std::optional<std::string> PropertyListText(const Value& root, PropertyListError* error = nullptr);

std::optional<Value> ReadPropertyListFile(const std::filesystem::path& path, PropertyListError* error = nullptr,
                                          std::size_t maxSize = kMaxPropertyListSize);
// Reads a file whose root must be a dictionary: an information dictionary, a
// strings table, a template. An empty dictionary, with the reason logged,
// when the file is missing, unreadable, malformed, larger than maxSize or
// holds something else.
Dictionary ReadDictionaryFile(const std::filesystem::path& path, PropertyListError* error = nullptr,
                              std::size_t maxSize = kMaxPropertyListSize);
// Writes the value as an XML property list of at most maxSize bytes. The
// file is replaced only by a complete new one (a symbolic link keeps naming
// the file it names, which is the one replaced); on failure the old file
// stays as it was.
bool WritePropertyListFile(const std::filesystem::path& path, const Value& root, PropertyListError* error = nullptr,
                           std::size_t maxSize = kMaxPropertyListSize);

}  // namespace platform
