// Helpers shared by the filter tests: temporary folders, whole-file reads,
// stream capture, queue PPDs built the way the scheduler keeps "PPD:" items,
// and running a built filter program as the scheduler does.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <cups/cups.h>
#include <zlib.h>

extern char** environ;

namespace filter_test {

// A folder made with mkdtemp and removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string pattern = std::filesystem::temp_directory_path() / "lumaprex-test-XXXXXX";
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The bytes compressed by gzip.
inline std::string Gzipped(const std::string& bytes) {
    const TempDir folder;
    gzFile file = gzopen(folder.file("gz").c_str(), "wb");
    gzwrite(file, bytes.data(), static_cast<unsigned>(bytes.size()));
    gzclose(file);
    return readFile(folder.file("gz"));
}

// A FILE* whose contents the test reads back as a string.
class CapturedStream {
public:
    CapturedStream() : stream_(open_memstream(&buffer_, &size_)) {}
    ~CapturedStream() {
        if (stream_) {
            std::fclose(stream_);
        }
        std::free(buffer_);
    }
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;

    std::FILE* get() const { return stream_; }
    std::string text() {
        std::fflush(stream_);
        return std::string(buffer_, size_);
    }

private:
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* stream_;
};

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The keyword items of every "PPD:" line in the messages, in order, parsed
// the way the scheduler parses them.
inline std::vector<std::pair<std::string, std::string>> ppdItems(const std::string& messages) {
    std::vector<std::pair<std::string, std::string>> items;
    for (const std::string& line : splitLines(messages)) {
        if (line.rfind("PPD:", 0) != 0) {
            continue;
        }
        cups_option_t* options = nullptr;
        int count = cupsParseOptions(line.c_str() + 4, 0, &options);
        for (int i = 0; i < count; ++i) {
            items.emplace_back(options[i].name, options[i].value);
        }
        cupsFreeOptions(count, options);
    }
    return items;
}

// Writes a queue PPD holding the given main keywords, as the scheduler
// stores them after a filter's "PPD:" lines.
inline void writeQueuePpd(const std::string& path,
                          const std::vector<std::pair<std::string, std::string>>& items) {
    std::string text = "*PPD-Adobe: \"4.3\"\n";
    for (const auto& [keyword, value] : items) {
        text += "*" + keyword + ": " + value + "\n";
    }
    text += "*FormatVersion: \"4.3\"\n*LanguageVersion: English\n";
    writeFile(path, text);
}

// Items of a hand-made zlib stream, chunked and encoded like the writer does.
inline std::vector<std::pair<std::string, std::string>> itemsOfStream(const std::string& stream,
                                                               const std::string& name) {
    std::vector<std::pair<std::string, std::string>> items;
    char keyword[64];
    unsigned counter = 0;
    for (std::size_t at = 0; at < stream.size(); at += 158) {
        std::string chunk = stream.substr(at, 158);
        char encoded[256];
        httpEncode64_2(encoded, sizeof encoded, chunk.data(), static_cast<int>(chunk.size()));
        std::snprintf(keyword, sizeof keyword, "%s%04x", name.c_str(), counter++);
        items.emplace_back(keyword, encoded);
    }
    std::snprintf(keyword, sizeof keyword, "%s%04x", name.c_str(), counter);
    items.emplace_back(keyword, "");
    return items;
}

inline std::string compressed(const std::string& content) {
    uLongf size = compressBound(content.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(content.data()), content.size(), 9);
    out.resize(size);
    return out;
}

// Outcome of one run of a program.
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// What a run of a filter program gets besides its arguments.
struct RunSetup {
    std::map<std::string, std::string> environment;
    std::optional<std::string> stdinFile;
    std::optional<int> stdinDescriptor;  // instead of stdinFile, left open
    std::optional<std::string> stdoutFile;  // instead of the captured output ("/dev/full")
    std::optional<std::string> backChannel;  // bytes readable on descriptor 3
    std::function<void(pid_t)> whileRunning;  // called with the program's process once it started
};

inline void redirect(posix_spawn_file_actions_t& actions, int fd, const std::string& path,
                     int flags) {
    posix_spawn_file_actions_addopen(&actions, fd, path.c_str(), flags, 0600);
}

// Runs the program with the arguments (argv[0] included) and waits for it.
inline RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                            const RunSetup& setup = {}) {
    TempDir scratch;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (setup.stdinDescriptor) {
        posix_spawn_file_actions_adddup2(&actions, *setup.stdinDescriptor, 0);
    } else {
        redirect(actions, 0, setup.stdinFile.value_or("/dev/null"), O_RDONLY);
    }
    redirect(actions, 1, setup.stdoutFile.value_or(scratch.file("out")), O_WRONLY | O_CREAT | O_TRUNC);
    redirect(actions, 2, scratch.file("err"), O_WRONLY | O_CREAT | O_TRUNC);
    if (setup.backChannel) {
        writeFile(scratch.file("back"), *setup.backChannel);
        redirect(actions, 3, scratch.file("back"), O_RDONLY);
    }
    std::vector<std::string> envText;
    for (char** entry = environ; *entry; ++entry) {
        std::string name(*entry, std::strcspn(*entry, "="));
        if (!setup.environment.count(name)) {
            envText.emplace_back(*entry);
        }
    }
    for (const auto& [name, value] : setup.environment) {
        envText.push_back(name + "=" + value);
    }
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : envText) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    RunResult result;
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        if (setup.whileRunning) setup.whileRunning(pid);
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = readFile(scratch.file("out"));
    result.err = readFile(scratch.file("err"));
    return result;
}

// The controlling side of a terminal holding the bytes, its other side
// closed: each read after the bytes fails with EIO, as a failing device's do.
inline int inputFailingAfter(const std::string& bytes) {
    int controller = posix_openpt(O_RDWR | O_NOCTTY);
    int terminal = grantpt(controller) == 0 && unlockpt(controller) == 0
                       ? open(ptsname(controller), O_RDWR | O_NOCTTY)
                       : -1;
    termios raw{};
    tcgetattr(terminal, &raw);
    cfmakeraw(&raw);
    tcsetattr(terminal, TCSANOW, &raw);
    bool written = write(terminal, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(terminal);
    return written ? controller : -1;
}

inline std::string builtProgram(const char* folder, const char* name) {
    return std::string(LUMAPREX_BINARY_DIR) + "/" + folder + "/" + name;
}

// Deterministic bytes that do not compress.
inline std::string noiseBytes(std::size_t size, unsigned seed = 1) {
    std::string bytes(size, '\0');
    unsigned state = seed;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 23);
    }
    return bytes;
}

}  // namespace filter_test
