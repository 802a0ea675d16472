// The PostScript filter on a ticket stored for its job that may be damaged in
// the queue's PPD. The input's first byte counts the damages (up to seven,
// its low three bits) and tells whether the job names its ticket (bit 3);
// four bytes each follow for the damages: what (empty an item, drop it, swap
// it with the next, change a byte of it to a base-64 character, cut the items
// there), which item of the stored data sets, where in it, which character;
// the rest is the ticket, stored under its name by the job's user. What goes
// ahead of the job is the exact ticket with the job's title in whole lines,
// or nothing; a job naming its ticket prints behind it or stops with one
// "ERROR:" line; without damage, the ticket goes ahead.
#include <algorithm>

#include "NamedTickets.h"
#include "PostScriptFilter.h"
#include "filter_support.h"
#include "ppdx_support.h"

namespace {

constexpr const char* kUser = "fuzz";
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

// One scheduler line, an "ERROR:" line.
bool IsOneErrorLine(const std::string& messages) {
    return messages.compare(0, 7, "ERROR: ") == 0 && messages.find('\n') == messages.size() - 1;
}

// The ticket as it goes ahead of the job: the job's title, whole lines.
std::string Expected(const std::uint8_t* ticket, std::size_t size) {
    std::string titleText;
    appendUTF8(kTitle, &titleText);
    fuzz::Captured expected;
    const bool ended = ReplaceTitle(reinterpret_cast<const char*>(ticket), size, &titleText, expected.get());
    return expected.text() + (size && !ended ? "\r\n" : "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::QuietSystemLog();
    if (size == 0) return 0;
    const std::size_t damages = std::min<std::size_t>(data[0] % 8, (size - 1) / kDamageSize);
    const bool named = data[0] & 8;
    const std::uint8_t* ticket = data + 1 + damages * kDamageSize;
    const std::size_t ticketSize = size - 1 - damages * kDamageSize;
    const std::string_view bytes(reinterpret_cast<const char*>(ticket), ticketSize);
    const std::string name = TicketName(bytes);

    fuzz::Captured lines;
    FUZZ_CHECK(StoreTicket(lines.get(), nullptr, name.c_str(), kUser, bytes) == TicketStoreError::kNone,
               "the ticket is stored");
    fuzz::CheckSchedulerLines(lines.text());
    fuzz::PpdItems items = fuzz::ItemsOfStatusLines(lines.text());
    for (std::size_t i = 0; i < damages; ++i) Damage(items, data + 1 + i * kDamageSize);
    ppd_file_t* ppd = fuzz::QueuePpd(items);
    FUZZ_CHECK(ppd != nullptr, "the queue's PPD opens");
    fuzz::Captured out, messages;
    const std::string options = named ? std::string(kTicketNameOption) + "=" + name : "copies=1";
    const bool goesOn = WriteJobTicket(ppd, options.c_str(), kUser, kTitle, out.get(), messages.get());
    ppdClose(ppd);

    const std::string written = out.text(), said = messages.text(), expected = Expected(ticket, ticketSize);
    fuzz::CheckSchedulerLines(said);
    FUZZ_CHECK(written.empty() || written == expected, "the exact ticket or nothing goes ahead of the job");
    FUZZ_CHECK(goesOn || (named && written.empty() && IsOneErrorLine(said)),
               "a job stops only for its own ticket, saying so");
    FUZZ_CHECK(!named || !goesOn || written == expected, "a job naming its ticket prints behind it or not at all");
    FUZZ_CHECK(damages > 0 || (goesOn && written == expected && said.empty()), "a whole ticket goes ahead whole");
    return 0;
}
