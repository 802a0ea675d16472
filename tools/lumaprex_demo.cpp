// Command-line stand-in for the print dialog: shows what the engine built so
// far makes of a few user texts.
#include <cstdio>

#include "JSE_String.h"

int main() {
    const wchar_t* samples[] = {L"Letter", L"Caf\u00e9 Cr\u00e8me", L"A4 Plain"};
    for (const wchar_t* sample : samples) {
        JSE_MacEncoding<true> ticketText;
        ticketText = sample;
        std::printf("%ls -> %s\n", sample, ticketText.c_str());
    }
    return 0;
}
