// The PostScript filter on a stored ticket that may be damaged in the queue's
// PPD. The input's first byte counts the damages (up to seven), four bytes
// each: what (empty an item, drop it, swap it with the next, change a byte of
// it to a base-64 character, cut the items there), which item, where in it,
// which character; the rest is the ticket. What goes ahead of the job is the
// exact ticket with the job's title, or nothing; nothing with one "ERROR:"
// line when the ticket is there but damaged; without damage, the ticket; and
// nothing without a word only when the store holds no value after the first
// item.
#include <algorithm>

#include "PostScriptFilter.h"
#include "filter_support.h"
#include "ppdx_support.h"

namespace {

constexpr const char* kName = "EXDATA0";
constexpr const char* kTitle = "Fuzz (job)";
constexpr std::size_t kDamageSize = 4;
// A changed byte is one the scheduler keeps in a value: a base-64 character.
constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";

void Damage(fuzz::PpdItems& items, const std::uint8_t* damage) {
    if (items.empty()) return;
    const std::size_t item = damage[1] % items.size();
    std::string& value = items[item].second;
    switch (damage[0] % 5) {
    case 0: value.clear(); break;
    case 1: items.erase(items.begin() + static_cast<long>(item)); break;
    case 2:
        if (item + 1 < items.size()) std::swap(value, items[item + 1].second);
        break;
    case 3:
        if (!value.empty()) value[damage[2] % value.size()] = kBase64[damage[3] % (sizeof kBase64 - 1)];
        break;
    default: items.resize(item); break;
    }
}

// One scheduler line, an "ERROR:" line saying the stored ticket is damaged.
bool IsDamageLine(const std::string& messages) {
    const std::string start = "ERROR: The stored job ticket is damaged";
    return messages.compare(0, start.size(), start) == 0 && messages.find('\n') == messages.size() - 1;
}

// Whether the data set's second item holds a value.
bool SecondItemHoldsData(const fuzz::PpdItems& items) {
    const std::string second = std::string(kName) + "0001";
    return std::any_of(items.begin(), items.end(),
                       [&](const auto& item) { return item.first == second && !item.second.empty(); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::QuietSystemLog();
    if (size == 0) return 0;
    const std::size_t damages = std::min<std::size_t>(data[0] % 8, (size - 1) / kDamageSize);
    const std::uint8_t* ticket = data + 1 + damages * kDamageSize;
    const std::size_t ticketSize = size - 1 - damages * kDamageSize;

    std::string lines;
    FUZZ_CHECK(fuzz::WriteStatusLines(kName, ticket, ticketSize, lines), "the ticket is stored");
    fuzz::PpdItems items = fuzz::ItemsOfStatusLines(lines);
    for (std::size_t i = 0; i < damages; ++i) Damage(items, data + 1 + i * kDamageSize);
    ppd_file_t* ppd = fuzz::QueuePpd(items);
    FUZZ_CHECK(ppd != nullptr, "the queue's PPD opens");
    fuzz::Captured out, messages;
    WriteStoredTicket(ppd, kTitle, out.get(), messages.get());
    ppdClose(ppd);

    std::string titleText;
    appendUTF8(kTitle, &titleText);
    fuzz::Captured expected;
    ReplaceTitle(reinterpret_cast<const char*>(ticket), ticketSize, &titleText, expected.get());
    const std::string written = out.text(), said = messages.text();
    FUZZ_CHECK(written.empty() || written == expected.text(), "the exact ticket or nothing goes ahead of the job");
    FUZZ_CHECK(said.empty() || (IsDamageLine(said) && written.empty()), "a damaged ticket is left out, saying so");
    FUZZ_CHECK(damages > 0 || (written == expected.text() && said.empty()), "a whole ticket goes ahead whole");
    FUZZ_CHECK(!written.empty() || !said.empty() || !SecondItemHoldsData(items), "a ticket left out unsaid is not there");
    return 0;
}
