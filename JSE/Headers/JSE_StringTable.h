// Localized string tables kept as resources: a language list ("LNG#" 10000)
// and, per string resource, one string for each language.
//
// A string list resource: bytes 0-5 a header, bytes 6-9 the number of strings
// (32-bit, host order), then that many 0-terminated 8-bit strings.
#pragma once

#include <cstdint>

#include "JSE_String.h"

class JSE_StringBase {
public:
    static constexpr int kResourceBufferSize = 10240;

    JSE_StringBase() = default;
    explicit JSE_StringBase(unsigned int resourceHandle) : m_resourceHandle(resourceHandle) {}
    virtual ~JSE_StringBase() = default;

    // Selects the language whose name matches in the language list.
    virtual bool selectLanguage(const wchar_t* language);
    // The string of the selected language; length is the capacity of out on
    // entry and the length of the text on return. Without a language, out
    // receives the decimal id and the result is false.
    virtual bool getString(const wchar_t* type, std::uint16_t id, wchar_t* out, int& length, int flags) const;
    // The string at a given position of the list, language or not.
    virtual bool getIndexedString(const wchar_t* type, std::uint16_t id, int index, wchar_t* out, int& length,
                                  int flags) const;
    virtual bool loadResourceString(const wchar_t* type, std::uint16_t id, char* buffer, int& size) const = 0;
    virtual void convertSingleToMulti(const char* in, wchar_t* out, int count) const = 0;
    virtual void convertMultiToSingle(const wchar_t* in, char* out, int count) const = 0;

    bool haveLanguage() const { return m_languageIndex != -1; }
    static int GetStringLength(const wchar_t* text);
    // Writes the decimal id, 0-terminated, into out (capacity characters at
    // most; a negative id gives the empty text).
    static void FormatUserID(wchar_t* out, int capacity, int id);
    // Removes "&" (flag 2), ":" (flag 4) and "." (flag 8) in place.
    static void stripString(wchar_t* text, int flags);
    void specifyResourceHandle(unsigned int handle) { m_resourceHandle = handle; }

protected:
    int m_languageIndex = -1;
    unsigned int m_resourceHandle = 0;

private:
    bool copyListString(const wchar_t* type, std::uint16_t id, int index, wchar_t* out, int& length,
                        int flags) const;
};

// String tables of the bundle's resources: "CAT#", "LAB#", "LNG#" and "MSG#".
class JSE_MacString : public JSE_StringBase {
public:
    using JSE_StringBase::JSE_StringBase;

    bool loadResourceString(const wchar_t* type, std::uint16_t id, char* buffer, int& size) const override;
    void convertSingleToMulti(const char* in, wchar_t* out, int count) const override;
    void convertMultiToSingle(const wchar_t* in, char* out, int count) const override;

    std::int16_t SetLanguageIndex(int language) {
        m_macLanguage = static_cast<std::int16_t>(language);
        return m_macLanguage;
    }
    // The text of resource (kind, id): kind 1 "CAT#", 2 "LAB#", 3 "LNG#",
    // otherwise "MSG#"; the decimal id when the resource is missing.
    void GetString(int kind, int id, WString& out) const;
    // Mac Roman text (Mac Japanese for language 11) to wide characters.
    void ConvertStringToUnicode(const std::string& text, WString& out) const;

private:
    static constexpr int kResourceHeaderSize = 12;
    static constexpr std::int16_t kMacJapanese = 11;
    std::int16_t m_macLanguage = 0;
};
