// Mending typed text: the engine's character classes, tested one UTF-16 unit
// at a time, and the byte limit cut on a whole character.
#include "TypedText.h"

#include "FoundationValues.h"
#include "JSE_Records.h"
#include "JSE_String.h"

namespace {

bool InClass(char16_t unit, TextClass textClass) {
    static const QwiDrv_StringCategoryVerifier verifier;
    wchar_t one = unit;
    switch (textClass) {
    case TextClass::Any: return true;
    case TextClass::FreeText: return verifier.IsCategory2(&one, 1, false);
    case TextClass::EMail: return unit < 0x7F && verifier.IsCategory5(&one, 1, false);
    case TextClass::FileName: return verifier.IsCategory7(&one, 1, false);
    }
    return false;
}

// The command text keeps 254 bytes: the engine's field holds that many and
// its closing 0, so the field never shows more than the ticket gets.
constexpr TextRule kTextRules[] = {
    {"eMailAddressText", TextClass::EMail, 255},
    {"operatorMessageText", TextClass::FreeText, 127},
    {"deliverToText", TextClass::FreeText, 63},
    {"chargeNumberText", TextClass::FreeText, 63},
    {"createTIFFPath", TextClass::FileName, 255},
    {"saveAsFileNameText", TextClass::FileName, 64},
    {"specificPrinterNameText", TextClass::FileName, 31},
    {"command", TextClass::Any, JSE_CustomCommandType::kCommandSize - 1},
};

}  // namespace

const TextRule* TextRuleOf(std::string_view key) {
    for (const TextRule& rule : kTextRules)
        if (rule.key == key) return &rule;
    return nullptr;
}

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

AuditedText AuditUserEntry(std::string_view text, const TextRule& rule) {
    return AuditUserEntry(text, rule.textClass, rule.maxBytes);
}

bool KeepsToRule(std::string_view text, const TextRule& rule) { return !AuditUserEntry(text, rule).mended(); }
