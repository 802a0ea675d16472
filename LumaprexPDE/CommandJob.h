// The command job that carries the job ticket to the printer's queue: a CUPS
// command file asking the queue's command filter to save the ticket, sent as
// an IPP Print-Job to the queue on the configured scheduler. The print
// dialog then prints the application's job, which the queue gives the saved
// ticket.
#pragma once

#include <cups/cups.h>

#include <optional>
#include <string>
#include <string_view>

// The print settings through which the halftone screen reaches the
// PostScript filter as job options.
inline constexpr char kHalftoneDegreeSetting[] = "com.Varneth.lumaprex.halftonedegree";
inline constexpr char kHalftoneLpiSetting[] = "com.Varneth.lumaprex.halftonelpi";

inline constexpr char kCommandJobName[] = "ZQC_Send_Job_Ticket";
inline constexpr char kCommandDocumentFormat[] = "application/vnd.cups-command";

// One line of the extension's trace: the system log at debug priority.
void Trace(std::string_view line);

// The command file: "#CUPS-COMMAND" and "SaveJobTicket" lines, the
// PostScript header line ending in CR LF, the ticket's bytes unchanged, and
// a line feed.
std::string CommandFileContent(std::string_view ticket);

// Makes the temporary file the command file is written to (cupsTempFile2).
using TempFileMaker = cups_file_t* (*)(char* name, int size);

// Sends the command file to the queue of the printer identifier and waits
// for the queue to run it. Every step is traced to the system log; nothing
// is sent when the scheduler cannot be reached or the file cannot be
// written, and the file is removed afterwards. A scheduler that does not
// answer holds the road for kSchedulerWait in all, and the request it had
// not answered is dropped. Returns why the queue has not got the ticket,
// when the application's job would print under the one stored before: the
// command file could not be written, the scheduler did not take the job (it
// did not answer within the bound, or refused it), or the queue ran it to
// an end other than completed (stopped, canceled or aborted). None when the
// queue took it (also when it had not started or ended within the bound, as
// the application's job follows it in the queue), and when no scheduler or
// no such queue is there, which the application's print then meets too.
std::optional<std::string> SendCommandJob(std::string_view printerId, std::string_view commandFile,
                                          TempFileMaker makeTempFile = cupsTempFile2);
