// Mending typed text: the engine's character classes, tested one UTF-16 unit
// at a time, and the byte limit cut on a whole character.
#include "TypedText.h"

#include "FoundationValues.h"
#include "JSE_String.h"

namespace {

bool InClass(char16_t unit, TextClass textClass) {
    static const QwiDrv_StringCategoryVerifier verifier;
    wchar_t one = unit;
    switch (textClass) {
    case TextClass::Any: return true;
    case TextClass::FreeText: return verifier.IsCategory2(&one, 1, false);
    case TextClass::EMail: return verifier.IsCategory5(&one, 1, false);
    case TextClass::FileName: return verifier.IsCategory7(&one, 1, false);
    }
    return false;
}

}  // namespace

AuditedText AuditUserEntry(std::string_view text, TextClass textClass, std::size_t maxBytes) {
    AuditedText audited;
    std::u16string units = platform::ToUtf16(text);
    audited.removed = std::erase_if(units, [textClass](char16_t unit) { return !InClass(unit, textClass); }) > 0;
    audited.text = audited.removed ? platform::FromUtf16(units) : std::string(text);
    if (audited.text.size() > maxBytes) {
        audited.text = platform::Utf8Prefix(audited.text, maxBytes);
        audited.cut = true;
    }
    return audited;
}
