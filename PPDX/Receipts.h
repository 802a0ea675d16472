// Receipts of the ticket filter. For a document that names its ticket and
// carries a receipt token, the PostScript filter, once it has written that
// ticket whole ahead of the document, the whole document after it and closed
// its output, leaves one PPD keyword naming the job, the token and the
// ticket. Whoever sent the document then reads in the queue's PPD that this
// very document went to the printer behind its ticket, whatever filters the
// scheduler ran and whatever the PPD says by then. The keyword is one of
// kReceiptSlots, chosen by the job's id, so the receipts stay within a fixed
// number of keywords, as the scheduler never removes one. Used by the
// PostScript filter and the print host.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include <cups/ppd.h>

// The job option that carries a document's receipt token.
inline constexpr char kReceiptOption[] = "com.Varneth.lumaprex.receipt";
// The keywords the receipts take: a job's receipt stays until a job whose id
// is kReceiptSlots higher, or the same after the scheduler restarted without
// its job history, leaves its own.
inline constexpr int kReceiptSlots = 32;

// A receipt as the queue's PPD keeps it.
struct Receipt {
    int job = 0;
    std::string token;
    std::string ticket;  // the name of the ticket written ahead of the job
};

// True for a token of the form receipts take: 32 lower-case hexadecimal
// digits.
bool IsReceiptToken(std::string_view text);
// A token drawn at random, for one document.
std::string NewReceiptToken();
// The keyword that holds the receipt of the job.
std::string ReceiptKeyword(int job);

// Writes the receipt as one "PPD:" line. False, having written nothing, for
// a job id below 1, a token or a ticket name of another form; false when the
// stream does not take the line.
bool WriteReceipt(std::FILE* out, int job, std::string_view token, std::string_view ticket);
// The receipt the PPD holds in the keyword of the job, which may be that of
// another job; none when the keyword is absent or holds no receipt.
std::optional<Receipt> ReadReceipt(ppd_file_t* ppd, int job);
