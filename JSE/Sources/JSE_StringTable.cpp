#include "JSE_StringTable.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ResourceManager.h"
#include "TextEncodingConverter.h"

namespace {

constexpr int kListHeaderSize = 6;
constexpr int kListStringsOffset = 10;
constexpr std::uint16_t kLanguageListId = 10000;
constexpr int kStripFlags = 2 | 4 | 8;

struct ListString {
    const char* text;
    int length;
};

// Finds string `index` of a loaded list; false when the count or the loaded
// bytes end first, or a string has no terminator inside them.
bool findListString(const char* buffer, int size, int index, ListString& found) {
    if (index < 0 || size < kListStringsOffset) return false;
    std::int32_t count = 0;
    std::memcpy(&count, buffer + kListHeaderSize, sizeof count);
    int offset = kListStringsOffset;
    for (int i = 0; i < count && offset < size; ++i) {
        const void* end = std::memchr(buffer + offset, 0, static_cast<std::size_t>(size - offset));
        if (end == nullptr) return false;
        const int length = static_cast<int>(static_cast<const char*>(end) - (buffer + offset));
        if (i == index) {
            found = {buffer + offset, length};
            return true;
        }
        offset += length + 1;
    }
    return false;
}

bool loadList(const JSE_StringBase& table, const wchar_t* type, std::uint16_t id, std::vector<char>& buffer,
              int& size) {
    buffer.assign(JSE_StringBase::kResourceBufferSize, 0);
    size = JSE_StringBase::kResourceBufferSize;
    if (!table.loadResourceString(type, id, buffer.data(), size)) return false;
    size = std::clamp(size, 0, JSE_StringBase::kResourceBufferSize);
    return true;
}

}  // namespace

bool JSE_StringBase::selectLanguage(const wchar_t* language) {
    if (language == nullptr) return false;
    const int nameLength = GetStringLength(language);
    std::vector<char> name(static_cast<std::size_t>(nameLength) + 4, 0);
    convertMultiToSingle(language, name.data(), nameLength + 1);
    name.back() = 0;

    std::vector<char> buffer;
    int size = 0;
    if (!loadList(*this, L"LNG#", kLanguageListId, buffer, size)) return false;
    for (int i = 0;; ++i) {
        ListString entry{};
        if (!findListString(buffer.data(), size, i, entry)) return false;
        if (entry.length == nameLength && std::memcmp(entry.text, name.data(), static_cast<std::size_t>(nameLength)) == 0) {
            m_languageIndex = i;
            return true;
        }
    }
}

bool JSE_StringBase::copyListString(const wchar_t* type, std::uint16_t id, int index, wchar_t* out, int& length,
                                    int flags) const {
    std::vector<char> buffer;
    int size = 0;
    if (out == nullptr || length < 1) return false;
    if (!loadList(*this, type, id, buffer, size)) return false;
    ListString entry{};
    if (!findListString(buffer.data(), size, index, entry)) return false;
    const int copied = std::min(entry.length, length - 1);
    const std::string text(entry.text, static_cast<std::size_t>(copied));
    convertSingleToMulti(text.c_str(), out, copied + 1);
    out[copied] = 0;
    if (flags & kStripFlags) stripString(out, flags);
    length = GetStringLength(out);
    return true;
}

bool JSE_StringBase::getString(const wchar_t* type, std::uint16_t id, wchar_t* out, int& length, int flags) const {
    std::vector<char> buffer;
    int size = 0;
    if (!loadList(*this, type, id, buffer, size)) return false;
    if (!haveLanguage()) {
        FormatUserID(out, length, id);
        return false;
    }
    return copyListString(type, id, m_languageIndex, out, length, flags);
}

bool JSE_StringBase::getIndexedString(const wchar_t* type, std::uint16_t id, int index, wchar_t* out, int& length,
                                      int flags) const {
    return copyListString(type, id, index, out, length, flags);
}

int JSE_StringBase::GetStringLength(const wchar_t* text) {
    if (text == nullptr) return 0;
    int length = 0;
    while (text[length] != 0) ++length;
    return length;
}

void JSE_StringBase::FormatUserID(wchar_t* out, int capacity, int id) {
    if (out == nullptr || capacity < 1) return;
    out[0] = 0;
    if (id < 0) return;
    const WString digits = JSE_itoa(id);
    const int copied = std::min(static_cast<int>(digits.size()), capacity - 1);
    std::copy_n(digits.begin(), copied, out);
    out[copied] = 0;
}

void JSE_StringBase::stripString(wchar_t* text, int flags) {
    if (text == nullptr) return;
    wchar_t* write = text;
    for (const wchar_t* read = text; *read != 0; ++read) {
        const bool drop = ((flags & 2) && *read == L'&') || ((flags & 4) && *read == L':') ||
                          ((flags & 8) && *read == L'.');
        if (!drop) *write++ = *read;
    }
    *write = 0;
}

bool JSE_MacString::loadResourceString(const wchar_t*, std::uint16_t, char*, int& size) const {
    size = 0;
    return true;
}

void JSE_MacString::convertSingleToMulti(const char*, wchar_t*, int) const {}
void JSE_MacString::convertMultiToSingle(const wchar_t*, char*, int) const {}

void JSE_MacString::GetString(int kind, int id, WString& out) const {
    static constexpr ResType kTypes[] = {MakeResType("MSG#"), MakeResType("CAT#"), MakeResType("LAB#"),
                                         MakeResType("LNG#")};
    const ResType resType = kTypes[(kind >= 1 && kind <= 3) ? kind : 0];
    Handle handle = GetResource(resType, static_cast<ResID>(id));
    const long size = handle ? GetHandleSize(handle) : 0;
    if (handle == nullptr || ResError() != noErr || size < kResourceHeaderSize) {
        ConvertStringToUnicode(std::to_string(id), out);
        return;
    }
    HLock(handle);
    const char* text = *handle + kResourceHeaderSize;
    const std::size_t available = static_cast<std::size_t>(size - kResourceHeaderSize);
    const void* end = std::memchr(text, 0, available);
    const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : available;
    ConvertStringToUnicode(std::string(text, length), out);
    HUnlock(handle);
    ReleaseResource(handle);
}

void JSE_MacString::ConvertStringToUnicode(const std::string& text, WString& out) const {
    std::u16string units;
    const TextEncodingBase from =
        m_macLanguage == kMacJapanese ? TextEncodingBase::MacJapanese : TextEncodingBase::MacRoman;
    out.clear();
    if (!ConvertTextToUTF16(text, from, units)) return;
    for (char16_t unit : units) out += static_cast<wchar_t>(unit);
}
