// PostScript filter: the job ticket kept in the queue's PPD for the job (the
// one it names, else the last one its user stored) with its first "%%Title:"
// line replaced by the job's title, then the job's PostScript with one
// screen-setting line before its first page.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include <cups/ppd.h>

inline constexpr int kDefaultScreenAngle = 60;
inline constexpr int kDefaultScreenFrequency = 90;
inline constexpr std::size_t kCopyBlockSize = 256 * 1024;

// True for the bytes that end a line of PostScript: CR and LF.
inline bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Reads the halftone options from the job's options text. Values are decimal
// digits, angle 0..180 and frequency 1..600; any other value keeps the default
// and is reported on the messages stream as a "DEBUG:" line.
void GetHalftoneNumbers(const char* options, std::size_t length, int* angle, int* frequency,
                        std::FILE* messages);

// The line inserted before the first page.
std::string ScreenLine(int angle, int frequency);

// Builds the ticket's title line from the job's title: "%%Title: (" (or
// "%%Title: (utf8:" when a byte is above 127), the title as the inside of a
// PostScript string on one line (TicketStringText), ")" and CR LF. False,
// leaving titleText untouched, when there is no title.
bool appendUTF8(const char* title, std::string* titleText);

// Writes the ticket with its first "%%Title:" line replaced by titleText
// (null: unchanged). Returns whether what it wrote ends with a line end.
bool ReplaceTitle(const char* ticket, std::size_t count, const std::string* titleText, std::FILE* out);

// Where a scan of a block for the first "%%Page:" line stopped.
struct PageScan {
    bool found = false;        // "%%Page:" starts at position
    std::size_t position = 0;  // otherwise: no page line can start before it
    bool atLineStart = false;  // position is at the start of a line
};

// Scans bytes for "%%Page:" at the start of a line; atLineStart tells whether
// bytes[0] starts a line. Unless final, a line start too close to the end to
// decide stays unsettled.
PageScan ScanForFirstPage(const char* bytes, std::size_t size, bool atLineStart, bool final);

// Writes the ticket the job goes behind, with the job's title (null: its
// own), as whole lines: a ticket without a final line end is given CR LF. The
// ticket is the one the job's options name, else the last one the job's user
// stored. False, having written only an "ERROR:" line, when the job names a
// ticket that the queue does not keep for its user or that does not read back
// whole: the job must not print then, so for a job's document that names a
// ticket, true means that ticket was written. A banner page that the queue
// prints ahead of the job (CUPS_FILETYPE "job-sheet") goes without such a
// ticket, with a "DEBUG:" line: the job's document stops, and a command job,
// whose banner comes before the ticket it stores, goes on. A last ticket
// stored that does not read back whole is left out with an "ERROR:" line, one
// of another user or of no owner with a "DEBUG:" line, and the job prints
// without it.
bool WriteJobTicket(ppd_file_t* ppd, const char* options, const char* user, const char* title, std::FILE* out,
                    std::FILE* messages);

// How a copy of the job ended.
enum class CopyResult {
    kDone,
    kReadFailed,   // the job could not be read (errno says why)
    kWriteFailed,  // the output did not take every byte
};

// In PostScript job control a Ctrl-D ends the job before it; drivers set so
// send one ahead of each document.
inline constexpr char kEndOfJob = '\x04';
// Blanks after a Ctrl-D that opens a job: as many as this, with what follows
// them, belong to the document.
inline constexpr std::size_t kJobStartBlockSize = 4096;

// Copies the bytes that open the job ahead of the document, which go ahead
// of its ticket so that none comes between the ticket and the document: a
// run of Ctrl-D bytes and blanks up to its last Ctrl-D, fewer than
// kJobStartBlockSize blanks standing between two. The bytes read after them,
// with which the document begins, go to document (at most twice
// kJobStartBlockSize). A job that opens with no Ctrl-D writes nothing here.
CopyResult CopyJobOpening(int job, int out, std::string& document);

// Copies the job (a file descriptor), after the bytes of it already read (at
// most half a copy block), up to its first "%%Page:" line, inserts the
// screen line in front of it, and writes what it read beyond; *pageFound
// tells whether a page was found.
CopyResult ProcessHalfTone(int job, int out, int angle, int frequency, bool* pageFound = nullptr,
                           std::string_view alreadyRead = {});

// Copies the rest of the job in blocks.
CopyResult CopyJobRest(int job, int out);

// read() that retries when interrupted: the bytes read, 0 at the end, or -1
// with errno saying why the job could not be read.
ssize_t ReadSome(int fd, char* buffer, std::size_t size);
// write() of every byte; false when the descriptor takes no more.
bool WriteAll(int fd, const char* bytes, std::size_t size);

// Writes the system-log line for an error code (1: argument count, 7: PPD).
void ShowError(int code);

// The whole program; returns the exit status. A job that names its ticket
// and carries a receipt token (kReceiptOption) and went out whole behind that
// ticket gets its receipt as a "PPD:" line, written before the output closes;
// one read through a pipe gets the mark that it has none.
int RunPostScriptFilter(int argc, char* argv[]);
