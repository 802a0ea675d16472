// XML property lists through libplist: its nodes converted to Values and
// back, and the files read and written whole.
#include "PropertyList.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "SystemLog.h"

namespace platform {

namespace {

struct NodeDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

bool Fail(PropertyListError* error, PropertyListError code) {
    if (error) *error = code;
    return false;
}

std::nullopt_t Refuse(PropertyListError* error, PropertyListError code) {
    Fail(error, code);
    return std::nullopt;
}

// A text as XML can carry it: a 0 byte (in a value, or raw in a malformed
// file that libplist reads anyway) becomes U+FFFD.
std::string WritableText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\0') out += "\xEF\xBF\xBD";
        else out += c;
    }
    return out;
}

// Each conversion gives None when the node became the value, else why not.
PropertyListError ToValue(plist_t node, int depth, Value& out);

PropertyListError ArrayToValue(plist_t node, int depth, Value& out) {
    Array array;
    const std::uint32_t count = plist_array_get_size(node);
    for (std::uint32_t i = 0; i < count; ++i) {
        Value item;
        const PropertyListError error = ToValue(plist_array_get_item(node, i), depth + 1, item);
        if (error != PropertyListError::None) return error;
        array.append(std::move(item));
    }
    out = std::move(array);
    return PropertyListError::None;
}

PropertyListError DictionaryToValue(plist_t node, int depth, Value& out) {
    Dictionary dictionary;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(node, &iterator);
    PropertyListError error = PropertyListError::None;
    for (;;) {
        char* key = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iterator, &key, &item);
        Value value;
        if (item) error = key ? ToValue(item, depth + 1, value) : PropertyListError::Malformed;
        if (item && error == PropertyListError::None) dictionary.set(key, std::move(value));
        std::free(key);
        if (!item || error != PropertyListError::None) break;
    }
    std::free(iterator);
    if (error == PropertyListError::None) out = std::move(dictionary);
    return error;
}

PropertyListError ScalarToValue(plist_t node, Value& out) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        std::uint8_t flag = 0;
        plist_get_bool_val(node, &flag);
        out = Value(flag != 0);
        break;
    }
    case PLIST_UINT: {
        std::uint64_t integer = 0;
        plist_get_uint_val(node, &integer);
        out = Value(static_cast<std::int64_t>(integer));
        break;
    }
    case PLIST_REAL: {
        double real = 0;
        plist_get_real_val(node, &real);
        out = Value(real);
        break;
    }
    case PLIST_STRING: {
        std::uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        out = Value(WritableText(text ? std::string_view(text, length) : std::string_view()));
        break;
    }
    case PLIST_DATE: {
        std::int32_t seconds = 0, microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        out = Value(Date{seconds});
        break;
    }
    case PLIST_DATA: {
        std::uint64_t length = 0;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(plist_get_data_ptr(node, &length));
        out = Value(bytes ? Data(bytes, bytes + length) : Data());
        break;
    }
    case PLIST_UID: {
        // XML writes a keyed-archive reference as this very dictionary.
        std::uint64_t uid = 0;
        plist_get_uid_val(node, &uid);
        out = Value(Dictionary{{"CF$UID", Value(static_cast<std::int64_t>(uid))}});
        break;
    }
    default: return PropertyListError::Malformed;
    }
    return PropertyListError::None;
}

PropertyListError ToValue(plist_t node, int depth, Value& out) {
    if (!node) return PropertyListError::Malformed;
    if (depth > kMaxPropertyListDepth) return PropertyListError::TooDeep;
    switch (plist_get_node_type(node)) {
    case PLIST_ARRAY: return ArrayToValue(node, depth, out);
    case PLIST_DICT: return DictionaryToValue(node, depth, out);
    default: return ScalarToValue(node, out);
    }
}

Node ToNode(const Value& value, int depth);

Node ArrayNode(const Array& array, int depth) {
    Node node(plist_new_array());
    for (const Value& item : array) {
        Node child = ToNode(item, depth + 1);
        if (!child) return nullptr;
        plist_array_append_item(node.get(), child.release());
    }
    return node;
}

Node DictionaryNode(const Dictionary& dictionary, int depth) {
    Node node(plist_new_dict());
    for (const auto& [key, item] : dictionary) {
        Node child = ToNode(item, depth + 1);
        if (!child) return nullptr;
        plist_dict_set_item(node.get(), WritableText(key).c_str(), child.release());
    }
    return node;
}

Node ToNode(const Value& value, int depth) {
    if (depth > kMaxPropertyListDepth) return nullptr;
    switch (value.kind()) {
    case Value::Kind::String: return Node(plist_new_string(WritableText(value.text()).c_str()));
    case Value::Kind::Integer: return Node(plist_new_uint(static_cast<std::uint64_t>(value.integerValue())));
    case Value::Kind::Real: return Node(plist_new_real(value.doubleValue()));
    case Value::Kind::Boolean: return Node(plist_new_bool(value.boolValue() ? 1 : 0));
    case Value::Kind::Date: return Node(plist_new_date(value.date()->seconds, 0));
    case Value::Kind::Data: {
        static const char kNoBytes = 0;
        const Data& data = *value.data();
        return Node(plist_new_data(data.empty() ? &kNoBytes : reinterpret_cast<const char*>(data.data()), data.size()));
    }
    case Value::Kind::Array: return ArrayNode(value.array(), depth);
    case Value::Kind::Dictionary: return DictionaryNode(value.dictionary(), depth);
    default: return nullptr;
    }
}

// Reads the file, or as much of it as shows that it is larger than maxSize.
bool ReadFileText(const std::filesystem::path& path, std::string& text, PropertyListError* error,
                  std::size_t maxSize) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(error, PropertyListError::CannotOpen);
    text.clear();
    char block[1 << 16];
    while (text.size() <= maxSize && in.read(block, sizeof block).gcount() > 0)
        text.append(block, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return Fail(error, PropertyListError::CannotOpen);
    return true;
}

// The permissions the written file gets: those of the file it replaces, or
// read-write for the owner and readable for everyone.
mode_t ModeFor(const std::filesystem::path& path) {
    struct stat existing {};
    return ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
}

// The file the path names once every symbolic link is followed, a link to a
// file not there yet naming that file; nothing for a loop of links.
std::optional<std::filesystem::path> LinkedFile(std::filesystem::path path) {
    constexpr int kMaxLinks = 40;  // more in a row are a loop
    for (int links = 0; links < kMaxLinks; ++links) {
        std::error_code failed;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, failed))) return path;
        const std::filesystem::path target = std::filesystem::read_symlink(path, failed);
        if (failed) return path;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

// Writes the bytes to a new file beside the file the path names and renames
// it over that file once it is complete on disk.
bool ReplaceFile(const std::filesystem::path& named, const std::string& bytes) {
    const std::optional<std::filesystem::path> path = LinkedFile(named);
    if (!path) return false;
    const mode_t mode = ModeFor(*path);
    std::string temporary = path->string() + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    const bool complete = written == bytes.size() && fsync(fd) == 0 && fchmod(fd, mode) == 0;
    const bool closed = ::close(fd) == 0;
    if (complete && closed && std::rename(temporary.c_str(), path->c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

}  // namespace

const char* DescribePropertyListError(PropertyListError error) {
    switch (error) {
    case PropertyListError::None: return "read";
    case PropertyListError::CannotOpen: return "cannot be opened or read";
    case PropertyListError::TooLarge: return "is larger than a property list may be";
    case PropertyListError::Malformed: return "is not an XML property list";
    case PropertyListError::TooDeep: return "nests its containers too deeply";
    case PropertyListError::NotADictionary: return "does not hold a dictionary at its root";
    case PropertyListError::CannotWrite: return "cannot be written";
    }
    return "cannot be read";
}

std::optional<Value> ParsePropertyList(std::string_view xml, PropertyListError* error, std::size_t maxSize) {
    if (error) *error = PropertyListError::None;
    if (xml.size() > maxSize) return Refuse(error, PropertyListError::TooLarge);
    plist_t parsed = nullptr;
    if (!xml.empty()) plist_from_xml(xml.data(), static_cast<std::uint32_t>(xml.size()), &parsed);
    const Node root(parsed);
    if (!root) return Refuse(error, PropertyListError::Malformed);
    Value value;
    const PropertyListError converted = ToValue(root.get(), 1, value);
    if (converted != PropertyListError::None) return Refuse(error, converted);
    return value;
}

std::optional<Dictionary> ParseDictionary(std::string_view xml, PropertyListError* error, std::size_t maxSize) {
    const std::optional<Value> value = ParsePropertyList(xml, error, maxSize);
    if (!value) return std::nullopt;
    if (!value->isDictionary()) return Refuse(error, PropertyListError::NotADictionary);
    return value->dictionary();
}

std::optional<std::string> PropertyListText(const Value& root, PropertyListError* error) {
    if (error) *error = PropertyListError::None;
    const Node node = ToNode(root, 1);
    if (!node) return Refuse(error, PropertyListError::CannotWrite);
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(node.get(), &xml, &length);
    if (!xml) return Refuse(error, PropertyListError::CannotWrite);
    std::string text(xml, length);
    plist_to_xml_free(xml);
    return text;
}

std::optional<Value> ReadPropertyListFile(const std::filesystem::path& path, PropertyListError* error,
                                          std::size_t maxSize) {
    std::string text;
    if (!ReadFileText(path, text, error, maxSize)) return std::nullopt;
    return ParsePropertyList(text, error, maxSize);
}

Dictionary ReadDictionaryFile(const std::filesystem::path& path, PropertyListError* error, std::size_t maxSize) {
    PropertyListError reason = PropertyListError::None;
    std::string text;
    std::optional<Dictionary> dictionary;
    if (ReadFileText(path, text, &reason, maxSize)) dictionary = ParseDictionary(text, &reason, maxSize);
    if (error) *error = reason;
    if (dictionary) return *dictionary;
    Log(LogPriority::Warning, path.string() + " " + DescribePropertyListError(reason));
    return Dictionary();
}

bool WritePropertyListFile(const std::filesystem::path& path, const Value& root, PropertyListError* error,
                           std::size_t maxSize) {
    const std::optional<std::string> text = PropertyListText(root, error);
    if (!text) return false;
    if (text->size() > maxSize) return Fail(error, PropertyListError::TooLarge);
    if (!ReplaceFile(path, *text)) return Fail(error, PropertyListError::CannotWrite);
    return true;
}

}  // namespace platform
