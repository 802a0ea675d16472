// Halftone options, the job's opening Ctrl-D bytes, and the copy of the job
// with the screen line before its first page.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "PostScriptFilter.h"
#include "SchedulerLines.h"

namespace {

constexpr std::string_view kAngleOption = "com.Varneth.lumaprex.halftonedegree";
constexpr std::string_view kFrequencyOption = "com.Varneth.lumaprex.halftonelpi";
constexpr std::size_t kShortestOptionWord = 32;
constexpr std::string_view kPageComment = "%%Page:";
// What may open a job ahead of the document: Ctrl-D bytes and blanks.
bool IsOpeningByte(char c) {
    return c == kEndOfJob || c == ' ' || c == '\t' || IsLineEnd(c);
}

struct HalftoneOption {
    std::string_view name;
    int lowest;
    int highest;
    int fallback;
};

constexpr HalftoneOption kAngle = {kAngleOption, 0, 180, kDefaultScreenAngle};
constexpr HalftoneOption kFrequency = {kFrequencyOption, 1, 600, kDefaultScreenFrequency};

// The value after the word's last "=": decimal digits within the option's
// range, else the default.
int readOptionValue(std::string_view word, const HalftoneOption& option, std::FILE* messages) {
    std::size_t equals = word.rfind('=');
    std::string_view digits = equals == std::string_view::npos ? "" : word.substr(equals + 1);
    long value = 0;
    bool valid = !digits.empty();
    for (char c : digits) {
        valid = valid && c >= '0' && c <= '9';
        value = valid ? value * 10 + (c - '0') : 0;
        valid = valid && value <= option.highest;
    }
    if (valid && value >= option.lowest) {
        return static_cast<int>(value);
    }
    WriteSchedulerMessage(messages, "DEBUG", "Ignoring \"%s\", using %d", QuotedJobText(word).c_str(),
                          option.fallback);
    return option.fallback;
}

}  // namespace

void GetHalftoneNumbers(const char* options, std::size_t length, int* angle, int* frequency,
                        std::FILE* messages) {
    *angle = kDefaultScreenAngle;
    *frequency = kDefaultScreenFrequency;
    std::string_view text(options ? options : "", options ? length : 0);
    while (!text.empty()) {
        std::size_t blank = text.find(' ');
        std::string_view word = text.substr(0, blank);
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
        if (word.size() <= kShortestOptionWord) {
            continue;
        }
        if (word.substr(0, kAngleOption.size()) == kAngleOption) {
            *angle = readOptionValue(word, kAngle, messages);
        } else if (word.substr(0, kFrequencyOption.size()) == kFrequencyOption) {
            *frequency = readOptionValue(word, kFrequency, messages);
        }
    }
}

std::string ScreenLine(int angle, int frequency) {
    char line[128];
    std::snprintf(line, sizeof line, "\n%s %u %u %s\n", "currentscreen 3 1 roll pop pop ",
                  static_cast<unsigned>(frequency), static_cast<unsigned>(angle),
                  " 3 -1 roll setscreen");
    return line;
}

PageScan ScanForFirstPage(const char* bytes, std::size_t size, bool atLineStart, bool final) {
    for (std::size_t position = 0; position < size; ++position) {
        const void* percent = std::memchr(bytes + position, '%', size - position);
        if (!percent) {
            break;
        }
        position = static_cast<std::size_t>(static_cast<const char*>(percent) - bytes);
        if (position == 0 ? !atLineStart : !IsLineEnd(bytes[position - 1])) {
            continue;
        }
        std::size_t left = size - position;
        std::size_t compared = left < kPageComment.size() ? left : kPageComment.size();
        if (std::memcmp(bytes + position, kPageComment.data(), compared) != 0) {
            continue;
        }
        if (compared == kPageComment.size()) {
            return {true, position, true};
        }
        if (!final) {
            return {false, position, true};
        }
    }
    return {false, size, size == 0 ? atLineStart : IsLineEnd(bytes[size - 1])};
}

CopyResult CopyJobOpening(int job, int out, std::string& document) {
    document.clear();
    char block[kJobStartBlockSize];
    for (;;) {
        const ssize_t read = ReadSome(job, block, sizeof block);
        if (read < 0) {
            return CopyResult::kReadFailed;
        }
        document.append(block, static_cast<std::size_t>(read));
        // The opening runs to its last Ctrl-D; as many blanks as a block
        // after one belong to the document.
        std::size_t opening = 0;
        std::size_t at = 0;
        for (; at < document.size() && IsOpeningByte(document[at]) && at - opening < kJobStartBlockSize; ++at) {
            if (document[at] == kEndOfJob) {
                opening = at + 1;
            }
        }
        if (!WriteAll(out, document.data(), opening)) {
            return CopyResult::kWriteFailed;
        }
        const bool decided = at < document.size() || read == 0;
        document.erase(0, opening);
        if (decided) {
            return CopyResult::kDone;
        }
    }
}

CopyResult ProcessHalfTone(int job, int out, int angle, int frequency, bool* pageFound,
                           std::string_view alreadyRead) {
    auto block = std::make_unique<char[]>(kCopyBlockSize);
    // Room is left to read more, so that a read of nothing is the job's end.
    std::size_t kept = std::min(alreadyRead.size(), kCopyBlockSize / 2);
    std::copy_n(alreadyRead.begin(), kept, block.get());
    bool atLineStart = true;
    if (pageFound) {
        *pageFound = false;
    }
    for (;;) {
        const ssize_t read = ReadSome(job, block.get() + kept, kCopyBlockSize - kept);
        if (read < 0) {
            return CopyResult::kReadFailed;
        }
        std::size_t size = kept + static_cast<std::size_t>(read);
        PageScan scan = ScanForFirstPage(block.get(), size, atLineStart, read == 0);
        if (!WriteAll(out, block.get(), scan.position)) {
            return CopyResult::kWriteFailed;
        }
        if (scan.found) {
            std::string line = ScreenLine(angle, frequency);
            if (pageFound) {
                *pageFound = true;
            }
            return WriteAll(out, line.data(), line.size()) &&
                           WriteAll(out, block.get() + scan.position, size - scan.position)
                       ? CopyResult::kDone
                       : CopyResult::kWriteFailed;
        }
        if (read == 0) {
            return CopyResult::kDone;
        }
        kept = size - scan.position;
        std::memmove(block.get(), block.get() + scan.position, kept);
        atLineStart = scan.atLineStart;
    }
}

CopyResult CopyJobRest(int job, int out) {
    auto block = std::make_unique<char[]>(kCopyBlockSize);
    for (;;) {
        const ssize_t read = ReadSome(job, block.get(), kCopyBlockSize);
        if (read <= 0) {
            return read < 0 ? CopyResult::kReadFailed : CopyResult::kDone;
        }
        if (!WriteAll(out, block.get(), static_cast<std::size_t>(read))) {
            return CopyResult::kWriteFailed;
        }
    }
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

bool WriteAll(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}
