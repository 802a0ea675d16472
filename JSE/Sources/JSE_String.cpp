// The ticket-string rules shared by both variants.
#include "JSE_String.h"

template <>
void VLXString<true>::WStoVLX(const WString& value) {
    if (IsWStringISOL1CharsOnly(value))
        std::string::operator=(MultiByteUnicodeToSingleByteISOL1(value));
    else
        std::string::operator=("utf8:" + MultiByteUnicodeToSingleByteUTF8(value));
}

template <>
void VLXString<false>::WStoVLX(const WString& value) {
    std::string::operator=(MultiByteUnicodeToSingleByteISOL1(value));
}

template <bool B>
bool VLXString<B>::IsWStringISOL1CharsOnly(const WString& value) const {
    return SingleByteISOL1ToMultiByteUnicode(MultiByteUnicodeToSingleByteISOL1(value)) == value;
}

template <bool B>
VLXString<B>& VLXString<B>::ConvertToVLX(const WString& value) {
    WStoVLX(value);
    return *this;
}

template <bool B>
VLXString<B>& VLXString<B>::ConvertToVLX(const wchar_t* value) {
    WStoVLX(value ? WString(value) : WString());
    return *this;
}

template class VLXString<true>;
template class VLXString<false>;
