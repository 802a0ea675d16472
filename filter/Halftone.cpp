// Halftone options and the screen line before the job's first page.
#include <cstring>
#include <memory>
#include <string_view>

#include "PostScriptFilter.h"

namespace {

constexpr std::string_view kAngleOption = "com.Varneth.lumaprex.halftonedegree";
constexpr std::string_view kFrequencyOption = "com.Varneth.lumaprex.halftonelpi";
constexpr std::size_t kShortestOptionWord = 32;
constexpr std::string_view kPageComment = "%%Page:";

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
    std::fprintf(messages, "DEBUG: Ignoring \"%.*s\", using %d\n", static_cast<int>(word.size()),
                 word.data(), option.fallback);
    return option.fallback;
}

// Position of the first CR or LF at or after a place, remembering where the
// next of each lies so that a block is searched only once for each.
class LineEnds {
public:
    LineEnds(const char* bytes, std::size_t size) : end_(bytes + size) {}

    // Null when no line ends after `from`.
    const char* next(const char* from) {
        const char* lineFeed = nextOf('\n', from, lineFeed_);
        const char* carriageReturn = nextOf('\r', from, carriageReturn_);
        const char* first = lineFeed < carriageReturn ? lineFeed : carriageReturn;
        return first == end_ ? nullptr : first;
    }

private:
    // `known` is null before the first search and end_ when there is none.
    const char* nextOf(char c, const char* from, const char*& known) {
        if (!known || (known != end_ && known < from)) {
            const void* found = std::memchr(from, c, static_cast<std::size_t>(end_ - from));
            known = found ? static_cast<const char*>(found) : end_;
        }
        return known;
    }

    const char* end_;
    const char* lineFeed_ = nullptr;
    const char* carriageReturn_ = nullptr;
};

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
    LineEnds lineEnds(bytes, size);
    std::size_t position = 0;
    while (position < size) {
        if (atLineStart) {
            std::size_t left = size - position;
            std::size_t compared = left < kPageComment.size() ? left : kPageComment.size();
            bool prefix = std::memcmp(bytes + position, kPageComment.data(), compared) == 0;
            if (prefix && compared == kPageComment.size()) {
                return {true, position, true};
            }
            if (prefix && !final) {
                return {false, position, true};
            }
        }
        const char* lineEnd = lineEnds.next(bytes + position);
        if (!lineEnd) {
            return {false, size, false};
        }
        position = static_cast<std::size_t>(lineEnd - bytes) + 1;
        atLineStart = true;
    }
    return {false, size, atLineStart};
}

bool ProcessHalfTone(std::FILE* job, std::FILE* out, int angle, int frequency) {
    auto block = std::make_unique<char[]>(kCopyBlockSize);
    std::size_t kept = 0;
    bool atLineStart = true;
    for (;;) {
        std::size_t read = std::fread(block.get() + kept, 1, kCopyBlockSize - kept, job);
        std::size_t size = kept + read;
        PageScan scan = ScanForFirstPage(block.get(), size, atLineStart, read == 0);
        std::fwrite(block.get(), 1, scan.position, out);
        if (scan.found) {
            std::string line = ScreenLine(angle, frequency);
            std::fwrite(line.data(), 1, line.size(), out);
            std::fwrite(block.get() + scan.position, 1, size - scan.position, out);
            return true;
        }
        if (read == 0) {
            return false;
        }
        kept = size - scan.position;
        std::memmove(block.get(), block.get() + scan.position, kept);
        atLineStart = scan.atLineStart;
    }
}

void CopyJobRest(std::FILE* job, std::FILE* out) {
    auto block = std::make_unique<char[]>(kCopyBlockSize);
    for (std::size_t read; (read = std::fread(block.get(), 1, kCopyBlockSize, job)) > 0;) {
        std::fwrite(block.get(), 1, read, out);
    }
}
