// The command filter's command loop on any command file, with any status
// replies waiting on the back channel: the input up to its first 0 byte is
// the command file, the rest the printer's replies. Every message is a
// scheduler line, and a stored job ticket is exactly the bytes that follow
// a line of the command file.
#include <fcntl.h>
#include <unistd.h>

#include "CommandFilter.h"
#include "filter_support.h"
#include "ppdx_support.h"

namespace {

constexpr int kBackChannel = 3;
constexpr std::size_t kLargestReplies = 32 * 1024;  // fits a pipe without blocking

// The printer's replies readable on the back channel, then its end.
void PutBackChannel(const std::string& replies) {
    int ends[2];
    if (pipe(ends) != 0) std::abort();
    const std::size_t size = replies.size() < kLargestReplies ? replies.size() : kLargestReplies;
    if (write(ends[1], replies.data(), size) != static_cast<ssize_t>(size)) std::abort();
    close(ends[1]);
    dup2(ends[0], kBackChannel);
    close(ends[0]);
}

// Command lines end at a line feed, a carriage return or both.
bool StartsALine(const std::string& text, std::size_t position) {
    return position == 0 || text[position - 1] == '\n' || text[position - 1] == '\r';
}

void CheckStoredTicket(const std::string& commands, const std::string& messages) {
    const fuzz::PpdItems items = fuzz::ItemsOfStatusLines(messages);
    if (items.empty()) return;
    fuzz::DataSet stored;
    FUZZ_CHECK(fuzz::ReadFromQueuePpd(items, "EXDATA0", stored) && stored.content, "stored ticket readable");
    FUZZ_CHECK(stored.size > 0 && stored.size <= commands.size(), "stored ticket within the command file");
    const std::size_t start = commands.size() - stored.size;
    FUZZ_CHECK(StartsALine(commands, start), "stored ticket starts at a line");
    FUZZ_CHECK(commands.compare(start, stored.size, stored.content.get(), stored.size) == 0,
               "stored ticket is the rest of the command file");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The back channel's descriptor stays taken, so no other file lands on it.
    if (fcntl(kBackChannel, F_GETFD) == -1) {
        const int fd = open("/dev/null", O_RDONLY);
        if (fd != kBackChannel) dup2(fd, kBackChannel), close(fd);
    }
    fuzz::QuietSystemLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t zero = input.find('\0');
    const std::string commands = input.substr(0, zero);
    PutBackChannel(zero == std::string::npos ? std::string() : input.substr(zero + 1));
    fuzz::Folder::Instance().Write("commands", reinterpret_cast<const std::uint8_t*>(commands.data()),
                                   commands.size());

    cups_file_t* file = cupsFileOpen(fuzz::Folder::Instance().Path("commands").c_str(), "r");
    FUZZ_CHECK(file, "command file opens");
    fuzz::Captured messages;
    job_data_t job;
    job.user = "fuzz";
    const int status = RunCommandFile(file, job, nullptr, FilterOutput{fuzz::Discard(), messages.get()});
    cupsFileClose(file);
    FUZZ_CHECK(status == 0, "a ticket within the store's size is stored");
    const std::string text = messages.text();
    fuzz::CheckSchedulerLines(text);
    CheckStoredTicket(commands, text);
    return 0;
}
