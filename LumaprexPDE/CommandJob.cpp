// The command job: the command file, written to a temporary file and sent
// over IPP to the printer's queue.
#include "CommandJob.h"

#include <unistd.h>

#include "FoundationValues.h"
#include "SchedulerConnection.h"
#include "SystemLog.h"

namespace {

// The printer's URI on the local machine; "" when the identifier does not
// fit a URI.
std::string PrinterUri(std::string_view printerId) {
    char uri[1024] = "";
    const std::string id(printerId);
    if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                         id.c_str()) < HTTP_URI_STATUS_OK) {
        return {};
    }
    return uri;
}

// Writes the command file into a new temporary file; its name, or "" (the
// reason traced, nothing left behind) when that fails.
std::string WriteCommandFile(std::string_view content, TempFileMaker makeTempFile) {
    char name[1024] = "";
    cups_file_t* file = makeTempFile(name, sizeof name);
    if (!file) {
        Trace("cannot create the command file");
        return {};
    }
    const bool written = cupsFileWrite(file, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    if (cupsFileClose(file) != 0 || !written) {
        Trace(platform::Format("cannot write the command file %s", name));
        unlink(name);
        return {};
    }
    return name;
}

// One Print-Job request carrying the file; ends with the outcome's trace.
void PrintCommandFile(const SchedulerConnection& scheduler, const std::string& uri, const std::string& resource,
                      const std::string& file) {
    ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, kCommandDocumentFormat);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, kCommandJobName);
    ippDelete(cupsDoFileRequest(scheduler.http(), request, resource.c_str(), file.c_str()));
    if (cupsLastError() != IPP_STATUS_OK) {
        Trace("Unable to send printer command! , " + scheduler.failure());
    } else {
        Trace("IPP send comand OK");
    }
}

}  // namespace

void Trace(std::string_view line) { platform::Log(platform::LogPriority::Debug, line); }

std::string CommandFileContent(std::string_view ticket) {
    std::string content = "#CUPS-COMMAND\nSaveJobTicket\n%!PS-Adobe-3.0\r\n";
    content.append(ticket);
    content += '\n';
    return content;
}

void SendCommandJob(std::string_view printerId, std::string_view commandFile, TempFileMaker makeTempFile) {
    Trace("current printer ID: " + std::string(printerId));
    const std::string uri = PrinterUri(printerId);
    if (uri.empty()) {
        Trace("the printer ID does not fit a printer URI");
        return;
    }
    const std::string resource = "/printers/" + std::string(printerId);
    const SchedulerConnection scheduler;
    if (!scheduler.http()) {
        Trace("create http service failed: " + scheduler.failure());
        return;
    }
    const std::string file = WriteCommandFile(commandFile, makeTempFile);
    if (file.empty()) return;
    Trace("comand contents: " + std::string(commandFile.substr(commandFile.find('\n') + 1)));
    Trace("comandfile: " + file);
    PrintCommandFile(scheduler, uri, resource, file);
    unlink(file.c_str());
}
