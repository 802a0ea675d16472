// PPD data store: writer ("PPD:" lines) and reader (keywords of an opened PPD).
#include "ppdx.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <cups/http.h>

#include "SchedulerLines.h"

namespace {

constexpr std::size_t kMaxNameLength = 36;
constexpr std::size_t kChunkSize = 158;
constexpr int kEncodedSize = 212;
constexpr int kDecodedSize = 160;
constexpr std::size_t kLineSize = 1024;
constexpr std::size_t kLineLimit = 1022;
constexpr std::size_t kItemSize = 256;
constexpr std::size_t kKeywordSize = 64;
constexpr std::size_t kFirstCapacity = 256;

const char* zlibMessage(const z_stream& stream, int status) {
    return stream.msg ? stream.msg : zError(status);
}

void formKeyword(char (&keyword)[kKeywordSize], const char* name, unsigned counter) {
    std::snprintf(keyword, sizeof keyword, "%s%04x", name, counter);
}

// Hexadecimal digits of the widest counter a data set of this size can need.
std::size_t counterWidth(std::size_t size) {
    std::size_t items = deflateBound(nullptr, static_cast<uLong>(size)) / kChunkSize + 2;
    std::size_t width = 4;
    while (width < 2 * sizeof(std::size_t) && (items - 1) >> (4 * width)) {
        ++width;
    }
    return width;
}

// One "PPD:" status line, filled item by item and written when the next item
// does not fit.
class StatusLine {
public:
    explicit StatusLine(std::FILE* out) : out_(out) { begin(); }

    void append(const char* item) {
        std::size_t length = std::strlen(item);
        if (length_ + length >= kLineLimit) {
            finish();
            begin();
        }
        std::memcpy(buffer_ + length_, item, length);
        length_ += length;
    }

    void finish() {
        written_ = WriteSchedulerLine(out_, std::string_view(buffer_, length_)) && written_;
    }

    // True while every line reached the stream whole.
    bool written() const { return written_; }

private:
    void begin() {
        std::memcpy(buffer_, "PPD:", 4);
        length_ = 4;
    }

    std::FILE* out_;
    char buffer_[kLineSize];
    std::size_t length_ = 0;
    bool written_ = true;
};

// Forms one item, traces it and appends it to the line. `stored` is the
// value as the "PPD:" line carries it (the terminator's is two double quotes).
void writeItem(std::FILE* out, StatusLine& line, const char* name, unsigned counter,
               const char* value, const char* stored) {
    char keyword[kKeywordSize];
    formKeyword(keyword, name, counter);
    char item[kItemSize];
    std::snprintf(item, sizeof item, " %s=%s", keyword, stored);
    WriteSchedulerMessage(out, "DEBUG", "*%s: \"%s\"", keyword, value);
    line.append(item);
}

// The compression call: deflate, unless a test has put another in its place.
PpdxDeflateCall gDeflate = deflate;

// Deflates the whole content into one zlib stream before anything is written,
// so that a failure leaves the stored data set as it was. False, with an
// "ERROR:" line, when zlib cannot start or the stream does not end.
bool compressContent(std::FILE* out, const void* data, std::size_t size,
                     std::vector<unsigned char>& compressed) {
    z_stream stream{};
    int status = deflateInit(&stream, 9);
    if (status == Z_OK) {
        compressed.resize(deflateBound(&stream, static_cast<uLong>(size)));
        stream.next_in = static_cast<Bytef*>(const_cast<void*>(data));
        stream.avail_in = static_cast<uInt>(size);
        stream.next_out = compressed.data();
        stream.avail_out = static_cast<uInt>(compressed.size());
        // With the bound as output space one call ends the stream; a stream
        // left open has run out of room.
        status = gDeflate(&stream, Z_FINISH);
        status = status == Z_OK ? Z_BUF_ERROR : status;
        compressed.resize(stream.total_out);
    }
    if (status != Z_STREAM_END) {
        WriteSchedulerMessage(out, "ERROR", "deflate returned %d (%s)", status, zlibMessage(stream, status));
    }
    deflateEnd(&stream);
    return status == Z_STREAM_END;
}

// Writes one item per 158-byte chunk of the stream; a stream of whole chunks
// ends with an empty item. Returns the next counter.
unsigned writeChunks(std::FILE* out, StatusLine& line, const char* name,
                     const std::vector<unsigned char>& compressed) {
    unsigned counter = 0;
    for (std::size_t at = 0;; at += kChunkSize) {
        std::size_t length = std::min(kChunkSize, compressed.size() - at);
        char encoded[kEncodedSize];
        httpEncode64_2(encoded, kEncodedSize, reinterpret_cast<const char*>(compressed.data() + at),
                       static_cast<int>(length));
        writeItem(out, line, name, counter++, encoded, encoded);
        if (length < kChunkSize) {
            return counter;
        }
    }
}

// The counter of an item of the data set as the writer names it (the name,
// then at least four lower-case hexadecimal digits without a leading 0
// beyond them); none for any other keyword.
std::optional<unsigned long> itemCounter(const char* keyword, const char* name) {
    const std::size_t length = std::strlen(name);
    if (std::strncmp(keyword, name, length) != 0) {
        return std::nullopt;
    }
    const std::string_view digits(keyword + length);
    if (digits.size() < 4 || digits.size() > 2 * sizeof(unsigned) ||
        digits.find_first_not_of("0123456789abcdef") != std::string_view::npos ||
        (digits.size() > 4 && digits[0] == '0')) {
        return std::nullopt;
    }
    return std::stoul(std::string(digits), nullptr, 16);
}

// Empties every item of an earlier data set of the name that the PPD holds
// beyond the new data set's terminator.
void emptyStaleItems(std::FILE* out, StatusLine& line, const ppd_file_t* ppd, const char* name,
                     unsigned terminator) {
    for (int index = 0; ppd && index < ppd->num_attrs; ++index) {
        const ppd_attr_t* attr = ppd->attrs[index];
        const std::optional<unsigned long> counter = itemCounter(attr->name, name);
        if (counter && *counter > terminator && attr->value && *attr->value) {
            writeItem(out, line, name, static_cast<unsigned>(*counter), "", "\"\"");
        }
    }
}

// Rebuilds a data set from its decoded chunks; the content counts only once
// the compressed stream has ended whole.
class DataSetReader {
public:
    enum class Fed { More, Ended, Failed };

    DataSetReader() = default;
    ~DataSetReader() {
        if (started_) {
            inflateEnd(&stream_);
        }
        std::free(buffer_);
    }
    DataSetReader(const DataSetReader&) = delete;
    DataSetReader& operator=(const DataSetReader&) = delete;

    bool start() {
        buffer_ = static_cast<unsigned char*>(std::malloc(kFirstCapacity + 1));
        if (!buffer_ || inflateInit(&stream_) != Z_OK) {
            damage_ = "out of memory";
            return false;
        }
        started_ = true;
        capacity_ = kFirstCapacity;
        stream_.next_out = buffer_;
        stream_.avail_out = static_cast<uInt>(capacity_);
        return true;
    }

    // Failed, with damage() saying why, for a broken stream, content beyond
    // kPpdxMaxDataSize or memory that runs out.
    Fed feed(unsigned char* bytes, std::size_t count) {
        stream_.next_in = bytes;
        stream_.avail_in = static_cast<uInt>(count);
        for (;;) {
            if (stream_.avail_out == 0 && !grow()) {
                return Fed::Failed;
            }
            int status = inflate(&stream_, Z_NO_FLUSH);
            if (status == Z_STREAM_END) {
                return Fed::Ended;
            }
            if (status != Z_OK && status != Z_BUF_ERROR) {
                damage_ = "inflate returned " + std::to_string(status) + " (" +
                          zlibMessage(stream_, status) + ")";
                return Fed::Failed;
            }
            if (stream_.avail_in == 0 && stream_.avail_out != 0) {
                return Fed::More;
            }
        }
    }

    // Hands the content over, NUL-terminated.
    unsigned char* release(std::size_t* size) {
        std::size_t produced = capacity_ - stream_.avail_out;
        buffer_[produced] = '\0';
        if (size) {
            *size = produced;
        }
        unsigned char* content = buffer_;
        buffer_ = nullptr;
        return content;
    }

    const std::string& damage() const { return damage_; }

private:
    // Doubles the buffer up to kPpdxMaxDataSize; false, with the damage
    // named, when it cannot grow.
    bool grow() {
        if (capacity_ >= kPpdxMaxDataSize) {
            damage_ = "it holds more than " + std::to_string(kPpdxMaxDataSize) + " bytes";
            return false;
        }
        std::size_t produced = capacity_ - stream_.avail_out;
        std::size_t capacity = capacity_ * 2 < kPpdxMaxDataSize ? capacity_ * 2 : kPpdxMaxDataSize;
        auto* grown = static_cast<unsigned char*>(std::realloc(buffer_, capacity + 1));
        if (!grown) {
            damage_ = "out of memory";
            return false;
        }
        buffer_ = grown;
        capacity_ = capacity;
        stream_.next_out = buffer_ + produced;
        stream_.avail_out = static_cast<uInt>(capacity_ - produced);
        return true;
    }

    z_stream stream_{};
    bool started_ = false;
    unsigned char* buffer_ = nullptr;
    std::size_t capacity_ = 0;
    std::string damage_;
};

// Decodes one item's value; 0 bytes for an empty or undecodable value.
int decodeItem(const ppd_attr_t* attr, unsigned char (&decoded)[kDecodedSize]) {
    int length = kDecodedSize;
    const char* value = attr->value ? attr->value : "";
    if (!httpDecode64_2(reinterpret_cast<char*>(decoded), &length, value)) {
        return 0;
    }
    return length;
}

// Why a data set whose item 0 is absent is not simply absent: item 1 is
// there; and why one whose item 0 holds nothing is not simply empty: item 1
// holds a value (a longer data set replaced by an empty one leaves its items
// there, emptied). Empty when neither holds.
std::string firstItemDamage(ppd_file_t* ppd, const char* name, bool missing) {
    char keyword[kKeywordSize];
    formKeyword(keyword, name, 1);
    const ppd_attr_t* second = ppdFindAttr(ppd, keyword, nullptr);
    if (!second || (!missing && (!second->value || !*second->value))) {
        return {};
    }
    formKeyword(keyword, name, 0);
    return std::string("its first item ") + keyword + (missing ? " is missing" : " is empty");
}

// Feeds the items from counter 0 on until the compressed stream ends. An
// item 0 that is empty, with no value after it, is an empty data set.
unsigned char* inflateItems(ppd_file_t* ppd, const char* name, ppd_attr_t* attr,
                            std::size_t* datasize, std::string& damage) {
    DataSetReader reader;
    if (!reader.start()) {
        damage = reader.damage();
        return nullptr;
    }
    char keyword[kKeywordSize];
    for (unsigned counter = 0;; ++counter) {
        unsigned char decoded[kDecodedSize];
        int length = attr ? decodeItem(attr, decoded) : 0;
        if (length <= 0 && counter == 0) {
            damage = firstItemDamage(ppd, name, false);
            if (!damage.empty()) {
                return nullptr;
            }
            break;
        }
        if (length <= 0) {
            formKeyword(keyword, name, counter);
            damage = std::string("the compressed stream breaks off at ") +
                     (attr ? "item " : "the missing item ") + keyword;
            return nullptr;
        }
        DataSetReader::Fed fed = reader.feed(decoded, static_cast<std::size_t>(length));
        if (fed == DataSetReader::Fed::Failed) {
            formKeyword(keyword, name, counter);
            damage = reader.damage() + " at item " + keyword;
            return nullptr;
        }
        if (fed == DataSetReader::Fed::Ended) {
            break;
        }
        formKeyword(keyword, name, counter + 1);
        attr = ppdFindAttr(ppd, keyword, nullptr);
    }
    return reader.release(datasize);
}

}  // namespace

bool ppdxIsValidName(const char* name) {
    if (!name || !*name || std::strlen(name) > kMaxNameLength) {
        return false;
    }
    for (const char* c = name; *c; ++c) {
        if (*c <= ' ' || *c > '~' || std::strchr(":=/", *c)) {
            return false;
        }
    }
    return true;
}

std::string ppdxItemKeyword(const char* name, unsigned counter) {
    char keyword[kKeywordSize];
    formKeyword(keyword, name, counter);
    return keyword;
}

bool ppdxWriteDataTo(std::FILE* out, const char* name, const void* data, std::size_t size) {
    return ppdxReplaceDataTo(out, nullptr, name, data, size);
}

bool ppdxReplaceDataTo(std::FILE* out, const ppd_file_t* ppd, const char* name, const void* data,
                       std::size_t size) {
    PpdxDataSet set;
    return ppdxPrepareData(out, name, data, size, set) && ppdxWritePrepared(out, ppd, set);
}

bool ppdxPrepareData(std::FILE* messages, const char* name, const void* data, std::size_t size,
                     PpdxDataSet& set) {
    if (!ppdxIsValidName(name) || (!data && size) || size > kPpdxMaxDataSize ||
        std::strlen(name) + counterWidth(size) > kPpdxMaxKeywordLength) {
        return false;
    }
    set.name = name;
    set.size = size;
    set.compressed.clear();
    return !size || compressContent(messages, data, size, set.compressed);
}

std::size_t ppdxItemCount(const PpdxDataSet& set) {
    return set.size ? set.compressed.size() / kChunkSize + 2 : 1;
}

bool ppdxWritePrepared(std::FILE* out, const ppd_file_t* ppd, const PpdxDataSet& set) {
    const char* name = set.name.c_str();
    StatusLine line(out);
    unsigned counter = set.size ? writeChunks(out, line, name, set.compressed) : 0;
    writeItem(out, line, name, counter, "", "\"\"");
    emptyStaleItems(out, line, ppd, name, counter);
    line.finish();
    return std::fflush(out) == 0 && line.written();
}

void ppdxSetDeflateCall(PpdxDeflateCall call) {
    gDeflate = call ? call : deflate;
}

bool ppdxWriteData(const char* name, const void* data, std::size_t size) {
    return ppdxWriteDataTo(stderr, name, data, size);
}

void* ppdxReadWholeData(ppd_file_t* ppd, const char* name, std::size_t* datasize,
                        std::string& damage) {
    damage.clear();
    if (datasize) {
        *datasize = 0;
    }
    if (!ppd || !ppdxIsValidName(name)) {
        return nullptr;
    }
    char keyword[kKeywordSize];
    formKeyword(keyword, name, 0);
    ppd_attr_t* attr = ppdFindAttr(ppd, keyword, nullptr);
    if (!attr) {
        damage = firstItemDamage(ppd, name, true);
        return nullptr;
    }
    return inflateItems(ppd, name, attr, datasize, damage);
}

void* ppdxReadDataFrom(ppd_file_t* ppd, const char* name, std::size_t* datasize,
                       std::FILE* messages) {
    std::string damage;
    void* content = ppdxReadWholeData(ppd, name, datasize, damage);
    if (!damage.empty()) {
        WriteSchedulerMessage(messages, "ERROR", "Data set %s is damaged and was not read: %s", name,
                              damage.c_str());
    }
    return content;
}

void* ppdxReadData(ppd_file_t* ppd, const char* name, std::size_t* datasize) {
    return ppdxReadDataFrom(ppd, name, datasize, stderr);
}
