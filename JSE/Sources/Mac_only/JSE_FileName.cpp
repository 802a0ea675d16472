// Wide path to the 8-bit path that file functions take.
#include "JSE_String.h"

// The path's bytes for a 7-bit ASCII path, its UTF-8 form otherwise. The
// "utf8:" marker is removed only where the conversion put it, so a plain path
// that itself begins with "utf8:" is kept as it is.
void GetSingleByteFileName(const WString& path, std::string& out) {
    JSE_MacEncoding<true> encoded;
    if (encoded.IsWStringISOL1CharsOnly(path))
        out = encoded.MultiByteUnicodeToSingleByteISOL1(path);
    else
        out = encoded.MultiByteUnicodeToSingleByteUTF8(path);
}
