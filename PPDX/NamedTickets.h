// Job tickets kept in the queue's PPD for the jobs that follow. The print
// dialog names each ticket it stores by its digest and gives that name to its
// command job and to its document. The command filter keeps the last
// kTicketSlots named tickets, each in a slot of its own with its name and its
// owner (the user whose job stored it); a ticket without a name, or too large
// for a slot, goes to data set "EXDATA0" with a label of its own. A label
// names the last ticket stored, its owner and where it is. The PostScript filter puts the ticket its
// job names ahead of the job, whole and checked against its name, and a job
// that names none the last ticket its own user stored. Used by both filters
// and the dialog's print road.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include <cups/ppd.h>

// The job option (a print setting of the dialog) naming a job's ticket.
inline constexpr char kTicketNameOption[] = "com.Varneth.lumaprex.ticket";
// The data set of a ticket kept in no slot and its label, and the label of
// the last ticket stored.
inline constexpr char kLastTicketDataSet[] = "EXDATA0";
inline constexpr char kLargeTicketLabelDataSet[] = "EXDATA0OWNER";
inline constexpr char kLastTicketLabelDataSet[] = "EXOWNER";
// The named tickets kept, the largest ticket a slot takes and the most PPD
// items one slot takes; a named ticket beyond either goes to kLastTicketDataSet.
inline constexpr int kTicketSlots = 8;
inline constexpr std::size_t kTicketSlotBytes = 1024 * 1024;
inline constexpr std::size_t kTicketSlotItems = 64;
// The filter that puts the kept tickets ahead of PostScript jobs and the one
// that stores them from command jobs, and why a queue's PPD that does not
// send those jobs through them keeps no ticket.
inline constexpr char kTicketFilter[] = "Lumaprex";
inline constexpr char kCommandFilter[] = "Lumaprex-Command";
inline constexpr char kNoTicketFilter[] = "the queue does not send PostScript jobs through Lumaprex";
inline constexpr char kNoCommandFilter[] = "the queue does not send command jobs through Lumaprex-Command";

// A ticket's name: the SHA-256 digest of its bytes in 64 lower-case
// hexadecimal digits.
std::string TicketName(std::string_view ticket);
// True for a text of that form.
bool IsTicketName(std::string_view text);

// Why a ticket was not stored; the store writes nothing then.
enum class TicketStoreError {
    kNone,            // stored
    kBadName,         // the name given is no ticket name
    kNotItsName,      // the ticket's digest is not the name given
    kCannotCompress,  // a data set cannot be compressed ("ERROR:" line written)
    kCannotWrite,     // the stream took not every "PPD:" line
};

// Stores the ticket and then the labels. A named ticket goes to the slot that
// holds that name and owner, else to one that holds no ticket it can read,
// else to the slot kept longest; a ticket without a name or too large for a
// slot to kLastTicketDataSet, which a later ticket stored in a slot empties
// again: the next one for a ticket without a name, for a named one the one
// after which the slots hold only tickets stored after it. Every data set is
// made ready before the first "PPD:" line. An empty name is none.
TicketStoreError StoreTicket(std::FILE* out, ppd_file_t* ppd, const char* name, const char* owner,
                             std::string_view ticket);

// A ticket found for a job: the bytes read from the PPD, the ticket within.
struct FoundTicket {
    std::unique_ptr<char, decltype(&std::free)> bytes{nullptr, std::free};
    std::string_view ticket;
};

// What the store holds for a job.
enum class TicketLookup {
    kFound,       // ticket set
    kNoneStored,  // no ticket stored, or a job naming none and the last
                  // ticket stored is another user's or has no label
    kNotKept,     // the ticket the job names is not kept for its user (never
                  // stored, replaced since, or stored by another user)
    kDamaged,     // a ticket is there but does not read back whole or is not
                  // the one its name stands for (reason says why)
};

// The ticket for a job of the user: the one named, or for no name (or an
// empty one) the last ticket stored when its label names the user.
TicketLookup FindTicket(ppd_file_t* ppd, const char* name, const char* user, FoundTicket& found,
                        std::string& reason);

// Whether the PPD's filter lines are the driver's own two, both there:
// command jobs through kCommandFilter and PostScript through kTicketFilter;
// reason says why not, naming the first other line as the PPD writes it and
// how many more there are. Any other line may carry a job around them, since
// the scheduler chains its own conversions into every line, expands its
// wildcards and takes the cheapest road. The lines read are those the
// scheduler reads: the cupsFilter2 ones, whatever the keyword's case, or
// when there is none the cupsFilter ones, under that keyword spelled exactly
// so; each is read as the scheduler reads it, with one type or two, source
// types whatever their case, any whole-number cost and "maxsize(N)", the
// program by name or by a path ending in it. False for no PPD.
bool FiltersAreTheDriversOwn(ppd_file_t* ppd, std::string& reason);

// Whether the queue's PPD holds the named ticket of the user whole and its
// filter lines are the driver's own; reason says why not. A scheduler that
// cannot write the PPD (a folder it may not write, a full disk) still
// completes the command job.
bool QueueKeepsTicket(ppd_file_t* ppd, const char* name, const char* user, std::string& reason);
