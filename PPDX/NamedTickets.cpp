// Named job tickets: their names, the slots and the label that keep them in
// the queue's PPD, storing and finding.
#include "NamedTickets.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include <cups/cups.h>

#include "ppdx.h"

namespace {

constexpr std::size_t kNameLength = 64;
constexpr std::size_t kDigestSize = 32;
constexpr char kSlotPrefix[] = "EXSLOT";

std::string slotName(int slot) {
    return kSlotPrefix + std::to_string(slot);
}

// What a slot or a label holds: "<name> <number>\n<owner>\0", then, in a
// slot, the ticket. A slot's number orders the named tickets (the higher, the
// newer); so does the number in the label of kLastTicketDataSet, which is 0
// for a ticket without a name; the number in the label of the last ticket
// stored is its slot, counted from 1, or 0 for kLastTicketDataSet.
struct Entry {
    std::string_view name;
    unsigned long number = 0;
    std::string_view owner;
    std::string_view ticket;
};

std::string entryHead(std::string_view name, unsigned long number, std::string_view owner) {
    std::string head(name);
    head.append(" ").append(std::to_string(number)).append("\n").append(owner);
    head.push_back('\0');
    return head;
}

std::optional<Entry> parseEntry(std::string_view bytes) {
    Entry entry;
    if (bytes.size() <= kNameLength || !IsTicketName(bytes.substr(0, kNameLength)) || bytes[kNameLength] != ' ') {
        return std::nullopt;
    }
    entry.name = bytes.substr(0, kNameLength);
    const char* digits = bytes.data() + kNameLength + 1;
    const char* end = bytes.data() + bytes.size();
    const auto [after, error] = std::from_chars(digits, end, entry.number);
    if (error != std::errc() || after == end || *after != '\n') {
        return std::nullopt;
    }
    const std::string_view rest(after + 1, static_cast<std::size_t>(end - after - 1));
    const std::size_t zero = rest.find('\0');
    if (zero == std::string_view::npos) {
        return std::nullopt;
    }
    entry.owner = rest.substr(0, zero);
    entry.ticket = rest.substr(zero + 1);
    return entry;
}

// A data set read whole: no bytes when the PPD holds none or it is damaged,
// damage then saying why.
struct ReadDataSet {
    std::unique_ptr<char, decltype(&std::free)> bytes{nullptr, std::free};
    std::size_t size = 0;
    std::string damage;

    std::string_view view() const { return {bytes.get(), bytes ? size : 0}; }
};

ReadDataSet readDataSet(ppd_file_t* ppd, const std::string& name) {
    ReadDataSet set;
    set.bytes.reset(static_cast<char*>(ppdxReadWholeData(ppd, name.c_str(), &set.size, set.damage)));
    return set;
}

std::optional<Entry> readLabel(ppd_file_t* ppd, const char* name, ReadDataSet& label) {
    label = readDataSet(ppd, name);
    return parseEntry(label.view());
}

// The slot a named ticket of that owner goes to, and its number, above every
// named ticket's kept: the slot holding that name and owner, else one that
// holds no entry it can read, else the one kept longest.
std::pair<int, unsigned long> chooseSlot(ppd_file_t* ppd, std::string_view name, std::string_view owner) {
    int same = -1, empty = -1, oldest = 0;
    unsigned long newest = 0, oldestNumber = ULONG_MAX;
    for (int slot = 0; slot < kTicketSlots; ++slot) {
        const ReadDataSet set = readDataSet(ppd, slotName(slot));
        const std::optional<Entry> entry = parseEntry(set.view());
        if (!entry) {
            empty = empty < 0 ? slot : empty;
            continue;
        }
        newest = std::max(newest, entry->number);
        if (entry->name == name && entry->owner == owner) same = slot;
        if (entry->number < oldestNumber) {
            oldestNumber = entry->number;
            oldest = slot;
        }
    }
    ReadDataSet largeLabel;
    if (const std::optional<Entry> large = readLabel(ppd, kLargeTicketLabelDataSet, largeLabel)) {
        newest = std::max(newest, large->number);
    }
    return {same >= 0 ? same : empty >= 0 ? empty : oldest, newest + 1};
}

// The found ticket: the data set's bytes, the ticket within them.
void takeTicket(ReadDataSet& set, std::string_view ticket, FoundTicket& found) {
    found.ticket = ticket;
    found.bytes = std::move(set.bytes);
}

// The ticket a label names, in the slot counted from 1 or, for 0,
// kLastTicketDataSet, read whole and checked against the label's name.
TicketLookup readLabelled(ppd_file_t* ppd, const Entry& label, unsigned long place, FoundTicket& found,
                          std::string& reason) {
    const bool inSlot = place > 0 && place <= kTicketSlots;
    ReadDataSet set = readDataSet(ppd, inSlot ? slotName(static_cast<int>(place) - 1) : kLastTicketDataSet);
    const std::optional<Entry> slot = inSlot ? parseEntry(set.view()) : std::nullopt;
    const std::string_view ticket = inSlot ? (slot ? slot->ticket : std::string_view()) : set.view();
    if (!set.bytes || (inSlot && !slot) || place > kTicketSlots || TicketName(ticket) != label.name) {
        reason = set.damage.empty() ? "the last ticket stored is not the one its label names" : set.damage;
        return TicketLookup::kDamaged;
    }
    takeTicket(set, ticket, found);
    return TicketLookup::kFound;
}

TicketLookup findNamed(ppd_file_t* ppd, std::string_view name, std::string_view user, FoundTicket& found,
                       std::string& reason) {
    for (int slot = 0; slot < kTicketSlots; ++slot) {
        ReadDataSet set = readDataSet(ppd, slotName(slot));
        const std::optional<Entry> entry = parseEntry(set.view());
        if (!entry || entry->name != name || entry->owner != user) continue;
        if (TicketName(entry->ticket) != name) {
            reason = "slot " + slotName(slot) + " holds another ticket under its name";
            return TicketLookup::kDamaged;
        }
        takeTicket(set, entry->ticket, found);
        return TicketLookup::kFound;
    }
    ReadDataSet labelSet;
    const std::optional<Entry> label = readLabel(ppd, kLargeTicketLabelDataSet, labelSet);
    if (!label || label->name != name || label->owner != user) {
        reason = "no ticket of that name is kept for the job's user";
        return TicketLookup::kNotKept;
    }
    return readLabelled(ppd, *label, 0, found, reason);
}

TicketLookup findLast(ppd_file_t* ppd, std::string_view user, FoundTicket& found, std::string& reason) {
    ReadDataSet labelSet;
    const std::optional<Entry> label = readLabel(ppd, kLastTicketLabelDataSet, labelSet);
    if (label && label->owner == user) return readLabelled(ppd, *label, label->number, found, reason);
    if (label) {
        reason = "the last ticket stored is another user's";
    } else if (ppd && ppdFindAttr(ppd, ppdxItemKeyword(kLastTicketDataSet, 0).c_str(), nullptr)) {
        reason = "the ticket stored has no owner";
    }
    return TicketLookup::kNoneStored;
}

// Whether a ticket stored in a slot under that number lets go of a ticket
// larger than a slot takes in kLastTicketDataSet, so that its many keywords
// do not stay in the PPD every filter reads: of one without a name at once,
// of a named one once the slots have taken as many tickets after it as they
// hold, so that its document finds it as long as it would find a ticket in a
// slot.
bool letsGoOfLargeTicket(ppd_file_t* ppd, unsigned long number) {
    const std::string keyword = ppdxItemKeyword(kLastTicketDataSet, kTicketSlotItems);
    const ppd_attr_t* attr = ppd ? ppdFindAttr(ppd, keyword.c_str(), nullptr) : nullptr;
    if (!attr || !attr->value || !*attr->value) return false;
    ReadDataSet labelSet;
    const std::optional<Entry> label = readLabel(ppd, kLargeTicketLabelDataSet, labelSet);
    return !label || label->number == 0 || number >= label->number + kTicketSlots;
}

// Each line of the PPD under that keyword, whatever its case.
std::vector<const ppd_attr_t*> attrsOf(ppd_file_t* ppd, const char* keyword) {
    std::vector<const ppd_attr_t*> attrs;
    for (ppd_attr_t* attr = ppdFindAttr(ppd, keyword, nullptr); attr; attr = ppdFindNextAttr(ppd, keyword, nullptr)) {
        attrs.push_back(attr);
    }
    return attrs;
}

// The line as the PPD writes it: keyword, option and its text, quoted value.
std::string lineAsWritten(const ppd_attr_t& attr) {
    std::string line = std::string("*") + attr.name;
    if (*attr.spec) line.append(" ").append(attr.spec).append(*attr.text ? std::string("/") + attr.text : "");
    return line.append(": \"").append(attr.value ? attr.value : "").append("\"");
}

// A filter line as the scheduler reads it, with its own formats: two types,
// else one, then a whole cost (a sign allowed), at least one blank or tab and
// the program, the rest of the line, after a "maxsize(N)" it may start with.
// The source type is read from the first character, blanks included. None
// for a line the scheduler would not take, and for a value that holds a line
// end: the scheduler reads the value from its cache as often as from the
// PPD, and there each further line is a line of the cache, another filter
// among them.
struct FilterLine {
    std::string source;  // super-type "/" type
    std::string program;
};

std::optional<FilterLine> readFilterLine(const char* value) {
    if (std::strpbrk(value, "\r\n")) return std::nullopt;
    char super[16], type[256], destSuper[16], destType[256], program[1024];
    int cost = 0;
    if (std::sscanf(value, "%15[^/]/%255s%*[ \t]%15[^/]/%255s%d%*[ \t]%1023[^\n]", super, type, destSuper, destType,
                    &cost, program) != 6 &&
        std::sscanf(value, "%15[^/]/%255s%d%*[ \t]%1023[^\n]", super, type, &cost, program) != 4) {
        return std::nullopt;
    }
    std::string_view run = program;
    if (run.starts_with("maxsize(")) {
        char* end = nullptr;
        std::strtoll(program + 8, &end, 10);
        if (*end != ')') return std::nullopt;
        run = end + 1;
        run.remove_prefix(std::min(run.find_first_not_of(" \f\n\r\t\v"), run.size()));
    }
    return FilterLine{std::string(super) + "/" + type, std::string(run)};
}

// The driver's own filter lines: the jobs of a source type through its
// program, and why a PPD without the line keeps no ticket.
struct OwnFilter {
    std::string_view source;
    std::string_view program;
    const char* missing;
};
// The PostScript line first: a PPD without either is told it lacks that one.
constexpr OwnFilter kOwnFilters[] = {{"application/postscript", kTicketFilter, kNoTicketFilter},
                                     {"application/vnd.cups-command", kCommandFilter, kNoCommandFilter}};

bool SameType(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

// The program by its name, or by a path ending in "/" and its name.
bool NamesProgram(std::string_view program, std::string_view name) {
    return program == name || (program.ends_with(name) && program.substr(0, program.size() - name.size()).ends_with('/'));
}

// Which of kOwnFilters the line is; none for any other line, and for one
// the scheduler would not read.
std::optional<std::size_t> ownFilterOf(const char* value) {
    const std::optional<FilterLine> line = readFilterLine(value);
    for (std::size_t i = 0; line && i < std::size(kOwnFilters); ++i) {
        if (SameType(line->source, kOwnFilters[i].source) && NamesProgram(line->program, kOwnFilters[i].program)) {
            return i;
        }
    }
    return std::nullopt;
}

// A filter line the scheduler takes from the PPD, and the line as the PPD
// writes it.
struct FilterLineOfPpd {
    const char* value;
    std::string written;
};

// The line under "cupsFilter" that holds the value, as the PPD writes it.
std::string olderLineAsWritten(ppd_file_t* ppd, const char* value) {
    for (int i = 0; i < ppd->num_attrs; ++i) {
        const ppd_attr_t& attr = *ppd->attrs[i];
        if (std::strcmp(attr.name, "cupsFilter") == 0 && attr.value && std::strcmp(attr.value, value) == 0) {
            return lineAsWritten(attr);
        }
    }
    return std::string("*cupsFilter: \"") + value + "\"";
}

// The filter lines the scheduler runs the queue's jobs through: the
// cupsFilter2 lines, whatever the keyword's case, or when there are none the
// library's list of the older lines, those under "cupsFilter" spelled
// exactly so. (Beside cupsFilter2 lines that list is rebuilt from them, each
// cut of its destination type and maxsize, so it is not read then.)
std::vector<FilterLineOfPpd> schedulersFilterLines(ppd_file_t* ppd) {
    std::vector<FilterLineOfPpd> lines;
    for (const ppd_attr_t* attr : attrsOf(ppd, "cupsFilter2")) {
        lines.push_back({attr->value ? attr->value : "", lineAsWritten(*attr)});
    }
    if (!lines.empty()) return lines;
    for (int i = 0; i < ppd->num_filters; ++i) {
        lines.push_back({ppd->filters[i], olderLineAsWritten(ppd, ppd->filters[i])});
    }
    return lines;
}

}  // namespace

std::string TicketName(std::string_view ticket) {
    // The hash call takes no empty data; this is the digest of nothing.
    if (ticket.empty()) return "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
    unsigned char digest[kDigestSize];
    char text[2 * kDigestSize + 1];
    if (cupsHashData("sha2-256", ticket.data(), ticket.size(), digest, sizeof digest) !=
        static_cast<ssize_t>(kDigestSize)) {
        return {};
    }
    return cupsHashString(digest, sizeof digest, text, sizeof text);
}

bool IsTicketName(std::string_view text) {
    return text.size() == kNameLength && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

TicketStoreError StoreTicket(std::FILE* out, ppd_file_t* ppd, const char* name, const char* owner,
                             std::string_view ticket) {
    name = name && *name ? name : nullptr;
    if (name && !IsTicketName(name)) return TicketStoreError::kBadName;
    const std::string digest = TicketName(ticket);
    if (name && digest != name) return TicketStoreError::kNotItsName;
    const std::string user = owner ? owner : "";
    PpdxDataSet kept;
    unsigned long place = 0;
    const auto [slot, number] = name ? chooseSlot(ppd, name, user) : std::pair<int, unsigned long>{0, 0};
    if (name && ticket.size() <= kTicketSlotBytes) {
        const std::string content = entryHead(name, number, user).append(ticket);
        if (!ppdxPrepareData(out, slotName(slot).c_str(), content.data(), content.size(), kept)) {
            return TicketStoreError::kCannotCompress;
        }
        place = ppdxItemCount(kept) <= kTicketSlotItems ? static_cast<unsigned long>(slot) + 1 : 0;
    }
    // The ticket, then its own label when it is in kLastTicketDataSet, then
    // the label of the last ticket stored; last, a large ticket let go of.
    const std::string head = entryHead(digest, place, user);
    const std::string largeHead = entryHead(digest, number, user);
    PpdxDataSet keptLabel, lastLabel, emptied, emptiedLabel;
    if ((place == 0 &&
         (!ppdxPrepareData(out, kLastTicketDataSet, ticket.data(), ticket.size(), kept) ||
          !ppdxPrepareData(out, kLargeTicketLabelDataSet, largeHead.data(), largeHead.size(), keptLabel))) ||
        !ppdxPrepareData(out, kLastTicketLabelDataSet, head.data(), head.size(), lastLabel)) {
        return TicketStoreError::kCannotCompress;
    }
    if (place > 0 && letsGoOfLargeTicket(ppd, number)) {
        ppdxPrepareData(out, kLastTicketDataSet, "", 0, emptied);
        ppdxPrepareData(out, kLargeTicketLabelDataSet, "", 0, emptiedLabel);
    }
    for (const PpdxDataSet* set : {&kept, &keptLabel, &lastLabel, &emptied, &emptiedLabel}) {
        if (!set->name.empty() && !ppdxWritePrepared(out, ppd, *set)) return TicketStoreError::kCannotWrite;
    }
    return TicketStoreError::kNone;
}

TicketLookup FindTicket(ppd_file_t* ppd, const char* name, const char* user, FoundTicket& found,
                        std::string& reason) {
    reason.clear();
    found = FoundTicket{};
    const std::string_view owner = user ? user : "";
    if (!name || !*name) return findLast(ppd, owner, found, reason);
    if (!IsTicketName(name)) {
        reason = "it is no ticket name";
        return TicketLookup::kNotKept;
    }
    return findNamed(ppd, name, owner, found, reason);
}

bool FiltersAreTheDriversOwn(ppd_file_t* ppd, std::string& reason) {
    if (!ppd) {
        reason = "the queue's PPD cannot be read";
        return false;
    }
    bool present[std::size(kOwnFilters)] = {};
    std::vector<const FilterLineOfPpd*> others;
    const std::vector<FilterLineOfPpd> lines = schedulersFilterLines(ppd);
    for (const FilterLineOfPpd& line : lines) {
        if (const std::optional<std::size_t> own = ownFilterOf(line.value)) {
            present[*own] = true;
        } else {
            others.push_back(&line);
        }
    }
    // The scheduler runs a pre-filter, whatever the keyword's case, ahead of
    // the queue's filters: it could change or drop the document behind the
    // ticket, or the command file.
    std::vector<FilterLineOfPpd> preFilters;
    for (const ppd_attr_t* attr : attrsOf(ppd, "cupsPreFilter")) preFilters.push_back({"", lineAsWritten(*attr)});
    for (const FilterLineOfPpd& line : preFilters) others.push_back(&line);
    if (!others.empty()) {
        reason = std::string("the queue's PPD has ") + (others.size() == 1 ? "a filter line" : "filter lines") +
                 " that the driver does not own: " + others.front()->written;
        if (others.size() > 1) reason += " and " + std::to_string(others.size() - 1) + " more";
        return false;
    }
    for (std::size_t i = 0; i < std::size(kOwnFilters); ++i) {
        if (!present[i]) {
            reason = kOwnFilters[i].missing;
            return false;
        }
    }
    return true;
}

bool QueueKeepsTicket(ppd_file_t* ppd, const char* name, const char* user, std::string& reason) {
    FoundTicket found;
    const TicketLookup lookup = FindTicket(ppd, name, user, found, reason);
    // The command job completed, so its filter stored the ticket: the
    // scheduler did not write it into the PPD, or a later print took its place.
    if (lookup == TicketLookup::kNotKept) {
        reason = "the queue's PPD does not hold it: the scheduler may be unable to write the PPD, or another print "
                 "replaced the ticket";
    }
    return lookup == TicketLookup::kFound && FiltersAreTheDriversOwn(ppd, reason);
}
