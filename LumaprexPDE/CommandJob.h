// The command job that carries the job ticket to the printer's queue: a CUPS
// command file asking the queue's command filter to save the ticket, sent as
// an IPP Print-Job to the queue on the configured scheduler, naming the
// ticket. The print dialog then prints the application's job, which names
// the same ticket and which the queue prints behind it or not at all.
#pragma once

#include <cups/cups.h>

#include <optional>
#include <string>
#include <string_view>

// The print settings through which the halftone screen and the ticket's
// name reach the PostScript filter as job options (the name's key is the
// filters' kTicketNameOption).
inline constexpr char kHalftoneDegreeSetting[] = "com.Varneth.lumaprex.halftonedegree";
inline constexpr char kHalftoneLpiSetting[] = "com.Varneth.lumaprex.halftonelpi";

inline constexpr char kCommandJobName[] = "ZQC_Send_Job_Ticket";
inline constexpr char kCommandDocumentFormat[] = "application/vnd.cups-command";

// One line of the extension's trace: the system log at debug priority.
void Trace(std::string_view line);

// The ticket as the queue stores it: the PostScript header line ending in
// CR LF, the ticket's bytes unchanged, and a line feed; its name is the
// name of the ticket the document asks for.
std::string StoredTicket(std::string_view ticket);
// The command file: "#CUPS-COMMAND" and "SaveJobTicket" lines, then the
// ticket as the queue stores it.
std::string CommandFileContent(std::string_view ticket);

// Makes the temporary file the command file is written to (cupsTempFile2).
using TempFileMaker = cups_file_t* (*)(char* name, int size);

// Sends the command file to the queue of the printer identifier, with the
// ticket's name (none when empty) as a job option, and waits for the queue to
// run it. Every step is traced to the system log; nothing is sent when the
// scheduler cannot be reached or the file cannot be written, and the file is
// removed afterwards. A scheduler that does not answer holds the road for
// kSchedulerWait in all, and the request it had not answered is dropped.
// Returns why the queue has not got the ticket, when the application's job
// would find no ticket of its own: the queue's PPD, read before anything is
// sent, has filter lines other than the driver's own two, or the queue has
// none (nothing is sent then), the command file could not be written, the
// scheduler did not take the job (it did not answer within the bound, or
// refused it), the queue ran it to an end other than completed (stopped,
// canceled or aborted), or completed it and its PPD does not hold the
// ticket whole or no longer has the driver's own filter lines alone. None
// when the queue took it (also when it had not started or ended within the
// bound, as the application's job follows it in the queue and stops there
// when its ticket is not kept), and when no scheduler or no such queue is
// there, which the application's print then meets too.
std::optional<std::string> SendCommandJob(std::string_view printerId, std::string_view commandFile,
                                          const std::string& ticketName, TempFileMaker makeTempFile = cupsTempFile2);
