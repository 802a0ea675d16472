// Receipts of the ticket filter. For a document that names its ticket and
// carries a receipt token, the PostScript filter, once it has written that
// ticket whole ahead of the document, the whole document after it and closed
// its output, leaves one PPD keyword naming the job, the moment the
// scheduler started this attempt at printing it, the token and the ticket.
// Whoever sent the document then reads in the queue's PPD that the attempt
// that printed this very document went to the printer behind its ticket,
// whatever filters the scheduler ran and whatever the PPD says by then; the
// scheduler keeps what a filter hands it also from an attempt that it stops
// and starts again, so a receipt tells of its own attempt only. The keyword
// is one of kReceiptSlots, chosen by the job's id, so the receipts stay
// within a fixed number of keywords, as the scheduler never removes one.
// Used by the PostScript filter and the print host.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include <cups/ppd.h>

// The job option that carries a document's receipt token.
inline constexpr char kReceiptOption[] = "com.Varneth.lumaprex.receipt";
// The job option in which the scheduler tells a filter when it started the
// attempt (seconds since 1970), as the job's attribute of that name says.
inline constexpr char kAttemptStartOption[] = "time-at-processing";
// The keywords the receipts take: a job's receipt stays until a job whose id
// is kReceiptSlots higher, or the same after the scheduler restarted without
// its job history, leaves its own.
inline constexpr int kReceiptSlots = 32;

// A receipt as the queue's PPD keeps it.
struct Receipt {
    int job = 0;
    long long started = 0;  // when the scheduler started the attempt
    std::string token;
    std::string ticket;  // the name of the ticket written ahead of the job

    bool operator==(const Receipt&) const = default;
};

// True for a token of the form receipts take: 32 lower-case hexadecimal
// digits.
bool IsReceiptToken(std::string_view text);
// A token drawn at random, for one document.
std::string NewReceiptToken();
// The keyword that holds the receipt of the job.
std::string ReceiptKeyword(int job);

// Writes the receipt as one "PPD:" line. False, having written nothing, for
// a job id below 1, a start below 0, a token or a ticket name of another
// form; false when the stream does not take the line.
bool WriteReceipt(std::FILE* out, const Receipt& receipt);
// Writes, as one "PPD:" line, the mark that the job has no receipt in the
// place of its receipt, where a filter the scheduler ran ahead may have left
// one. False for a job id below 1, or when the stream does not take the line.
bool WriteNoReceipt(std::FILE* out, int job);
// The receipt the PPD holds in the keyword of the job, which may be that of
// another job or another attempt; none when the keyword is absent or holds no
// receipt as WriteReceipt writes it.
std::optional<Receipt> ReadReceipt(ppd_file_t* ppd, int job);
