// PPD data store: "PPD:" lines as written, and round trips through a queue
// PPD opened with ppdOpenFile.
//
// The PPD API is deprecated in CUPS 2.4 but is what the store works on.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <memory>

#include "NamedTickets.h"
#include "failing_deflate.h"
#include "filter_test_support.h"
#include "ppdx.h"

using namespace filter_test;

namespace {

struct FreeDeleter {
    void operator()(void* buffer) const { std::free(buffer); }
};

// A data set as a later filter reads it back.
struct ReadBack {
    std::unique_ptr<void, FreeDeleter> buffer;
    std::size_t size = 0;
    std::string messages;

    std::string content() const {
        return std::string(static_cast<const char*>(buffer.get()), size);
    }
};

class PpdxTest : public ::testing::Test {
protected:
    std::string write(const char* name, const std::string& content) {
        CapturedStream out;
        EXPECT_TRUE(ppdxWriteDataTo(out.get(), name, content.data(), content.size()));
        return out.text();
    }

    ReadBack readFromItems(const std::vector<std::pair<std::string, std::string>>& items,
                           const char* name) {
        writeQueuePpd(dir_.file("queue.ppd"), items);
        ppd_file_t* ppd = ppdOpenFile(dir_.file("queue.ppd").c_str());
        EXPECT_NE(ppd, nullptr);
        ReadBack result;
        CapturedStream messages;
        result.buffer.reset(ppdxReadDataFrom(ppd, name, &result.size, messages.get()));
        result.messages = messages.text();
        ppdClose(ppd);
        return result;
    }

    ReadBack roundTrip(const char* name, const std::string& content) {
        return readFromItems(ppdItems(write(name, content)), name);
    }

    TempDir dir_;
};

std::string ticketText(std::size_t size) {
    std::string text = "%!PS-Adobe-3.0\r\n%%Title: (Report)\r\n";
    for (int line = 0; text.size() < size; ++line) {
        text += "%VLXSetting " + std::to_string(line) + " Staple TopLeft\r\n";
    }
    text.resize(size);
    return text;
}

TEST_F(PpdxTest, EmptyDataSetIsOnlyTheTerminatorAndReadsBackAsEmpty) {
    std::string out = write("EXDATA0", "");
    EXPECT_EQ(out, "DEBUG: *EXDATA00000: \"\"\nPPD: EXDATA00000=\"\"\n");
    ReadBack back = readFromItems(ppdItems(out), "EXDATA0");
    ASSERT_NE(back.buffer, nullptr);
    EXPECT_EQ(back.size, 0u);
    EXPECT_EQ(static_cast<const char*>(back.buffer.get())[0], '\0');
}

TEST_F(PpdxTest, ShortDataSetIsOneLineWithItemAndTerminator) {
    std::string out = write("EXDATA0", "hello");
    std::vector<std::string> lines = splitLines(out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("DEBUG: *EXDATA00000: \"", 0), 0u);
    EXPECT_EQ(lines[1], "DEBUG: *EXDATA00001: \"\"");
    EXPECT_EQ(lines[2].rfind("PPD: EXDATA00000=", 0), 0u);
    EXPECT_NE(lines[2].find(" EXDATA00001=\"\""), std::string::npos);
}

TEST_F(PpdxTest, FullItemsFillLinesFourAtATime) {
    std::string out = write("EXDATA0", noiseBytes(158 * 9));
    std::vector<std::string> ppdLines;
    for (const std::string& line : splitLines(out)) {
        if (line.rfind("PPD:", 0) == 0) {
            ppdLines.push_back(line);
        }
    }
    ASSERT_GE(ppdLines.size(), 3u);
    EXPECT_EQ(ppdLines[0].size() + 1, 901u);
    EXPECT_EQ(ppdLines[1].size() + 1, 901u);
    auto items = ppdItems(out);
    EXPECT_EQ(items[0].second.size(), 211u);
    EXPECT_EQ(items[4].first, "EXDATA00004");
    EXPECT_EQ(ppdLines[1].rfind("PPD: EXDATA00004=", 0), 0u);
    for (const std::string& line : ppdLines) {
        EXPECT_LE(line.size(), 1021u);
    }
}

TEST_F(PpdxTest, RoundTripsKeepEveryByte) {
    for (std::size_t size : {std::size_t{1}, std::size_t{64000}, std::size_t{64001},
                             std::size_t{300000}}) {
        std::string content = size == 300000 ? noiseBytes(size) : ticketText(size);
        ReadBack back = roundTrip("EXDATA0", content);
        ASSERT_NE(back.buffer, nullptr) << size;
        EXPECT_EQ(back.content(), content) << size;
        EXPECT_EQ(back.messages, "");
    }
}

TEST_F(PpdxTest, LargestDataSetRoundTripsAndOneByteMoreIsRefused) {
    std::string content = ticketText(kPpdxMaxDataSize);
    ReadBack back = roundTrip("EXDATA0", content);
    ASSERT_NE(back.buffer, nullptr);
    EXPECT_EQ(back.size, kPpdxMaxDataSize);
    EXPECT_TRUE(back.content() == content);

    content.push_back('x');
    CapturedStream out;
    EXPECT_FALSE(ppdxWriteDataTo(out.get(), "EXDATA0", content.data(), content.size()));
    EXPECT_EQ(out.text(), "");
}

TEST_F(PpdxTest, CountersWidenPastFourHexDigits) {
    std::string content = noiseBytes(10600000);
    auto items = ppdItems(write("EXDATA0", content));
    ASSERT_GT(items.size(), 65537u);
    EXPECT_EQ(items[65535].first, "EXDATA0ffff");
    EXPECT_EQ(items[65536].first, "EXDATA010000");
    char last[32];
    std::snprintf(last, sizeof last, "EXDATA0%04zx", items.size() - 1);
    EXPECT_EQ(items.back(), std::make_pair(std::string(last), std::string()));

    std::string longName(36, 'N');
    CapturedStream out;
    EXPECT_FALSE(ppdxWriteDataTo(out.get(), longName.c_str(), content.data(), content.size()));
    EXPECT_TRUE(ppdxWriteDataTo(out.get(), longName.c_str(), "ab", 2));
}

TEST_F(PpdxTest, NamesThatCannotBeKeywordsAreRefused) {
    CapturedStream out;
    for (const char* name : {"", "EX DATA", "EX:DATA", "EX=DATA", "EX/DATA", "EX\nDATA",
                             "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN"}) {
        EXPECT_FALSE(ppdxWriteDataTo(out.get(), name, "x", 1)) << name;
    }
    EXPECT_FALSE(ppdxWriteDataTo(out.get(), nullptr, "x", 1));
    EXPECT_FALSE(ppdxWriteDataTo(out.get(), "EXDATA0", nullptr, 1));
    EXPECT_EQ(out.text(), "");
}

TEST_F(PpdxTest, StreamFillingWholeChunksEndsWithAnEmptyItem) {
    std::string content;
    for (std::size_t size = 100; size < 2000 && content.empty(); ++size) {
        std::string candidate = noiseBytes(size, static_cast<unsigned>(size));
        if (compressed(candidate).size() % 158 == 0) {
            content = candidate;
        }
    }
    ASSERT_FALSE(content.empty());
    std::string out = write("EXDATA0", content);
    auto items = ppdItems(out);
    std::size_t chunks = compressed(content).size() / 158;
    ASSERT_EQ(items.size(), chunks + 2);
    EXPECT_EQ(items[chunks].second, "");
    char keyword[32];
    std::snprintf(keyword, sizeof keyword, " EXDATA0%04zx=\"\"", chunks);
    EXPECT_EQ(out.find(keyword), std::string::npos);
    EXPECT_EQ(readFromItems(items, "EXDATA0").content(), content);
}

TEST_F(PpdxTest, FailedCompressionWritesOnlyItsErrorLine) {
    const std::string content = noiseBytes(5000);
    ppdxSetDeflateCall(DeflateFailingPartWay);
    CapturedStream out;
    EXPECT_FALSE(ppdxWriteDataTo(out.get(), "EXDATA0", content.data(), content.size()));
    ppdxSetDeflateCall(nullptr);
    EXPECT_EQ(out.text(), "ERROR: deflate returned -2 (stream error)\n");
    EXPECT_EQ(roundTrip("EXDATA0", content).content(), content);
}

// Writing over the data set the PPD holds empties each item of it beyond
// the new terminator that still has a value, and no keyword of any other
// name or form.
TEST_F(PpdxTest, ReplacingEmptiesTheItemsOfTheLongerDataSetBeforeOnly) {
    writeQueuePpd(dir_.file("queue.ppd"), {{"EXDATA00000", "old"}, {"EXDATA00001", "old"}, {"EXDATA00002", "old"},
                                           {"EXDATA00003", ""}, {"EXDATA0000a", "old"}, {"EXDATA010000", "old"},
                                           {"EXDATA000010", "other"}, {"EXDATA10000", "other"}, {"EXDATA0", "other"}});
    ppd_file_t* ppd = ppdOpenFile(dir_.file("queue.ppd").c_str());
    ASSERT_NE(ppd, nullptr);
    CapturedStream out;
    EXPECT_TRUE(ppdxReplaceDataTo(out.get(), ppd, "EXDATA0", "new", 3));
    ppdClose(ppd);
    std::vector<std::string> emptied;
    for (const auto& [keyword, value] : ppdItems(out.text())) {
        if (value.empty()) emptied.push_back(keyword);
    }
    EXPECT_EQ(emptied, (std::vector<std::string>{"EXDATA00001", "EXDATA00002", "EXDATA0000a", "EXDATA010000"}));
    EXPECT_EQ(readFromItems(ppdItems(out.text()), "EXDATA0").content(), "new");

    // An empty data set over it leaves emptied items behind its first and
    // still reads back as empty.
    ppd = ppdOpenFile(dir_.file("queue.ppd").c_str());
    CapturedStream empty;
    EXPECT_TRUE(ppdxReplaceDataTo(empty.get(), ppd, "EXDATA0", "", 0));
    ppdClose(ppd);
    ReadBack back = readFromItems(ppdItems(empty.text()), "EXDATA0");
    EXPECT_NE(back.buffer, nullptr);
    EXPECT_EQ(back.messages, "");
}

TEST_F(PpdxTest, ReaderFindsNoDataSetWithoutItemZero) {
    ReadBack back = readFromItems({{"EXDATA10000", "AAAA"}}, "EXDATA0");
    EXPECT_EQ(back.buffer, nullptr);
    EXPECT_EQ(back.size, 0u);
    EXPECT_EQ(back.messages, "");
    ppd_file_t* none = nullptr;
    std::size_t size = 7;
    EXPECT_EQ(ppdxReadData(none, "EXDATA0", &size), nullptr);
    EXPECT_EQ(size, 0u);
}

TEST_F(PpdxTest, ReaderStopsAtTheStreamEndAndIgnoresTrailingBytes) {
    std::string content = ticketText(5000);
    std::string stream = compressed(content) + noiseBytes(500);
    ReadBack back = readFromItems(itemsOfStream(stream, "EXDATA0"), "EXDATA0");
    EXPECT_EQ(back.content(), content);
    EXPECT_EQ(back.messages, "");
}

// A stream that needs a preset dictionary.
std::string streamWithDictionary(const std::string& content) {
    z_stream stream{};
    EXPECT_EQ(deflateInit(&stream, 9), Z_OK);
    const char dictionary[] = "%VLXSetting Staple";
    deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary), sizeof dictionary);
    std::string out(compressBound(content.size()) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// Nothing of a data set that does not end whole is read, and one line says
// why.
TEST_F(PpdxTest, DamagedDataSetsGiveNothingAndOneLineSayingWhy) {
    const std::string content = noiseBytes(1000);
    auto stopsEarly = itemsOfStream(compressed(content), "EXDATA0");
    stopsEarly[2].second = "";
    auto itemMissing = itemsOfStream(compressed(content), "EXDATA0");
    itemMissing.erase(itemMissing.begin() + 3);
    auto firstMissing = itemsOfStream(compressed(content), "EXDATA0");
    firstMissing.erase(firstMissing.begin());
    auto firstEmptied = itemsOfStream(compressed(content), "EXDATA0");
    firstEmptied[0].second.clear();
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> items;
        std::string damage;
    } cases[] = {
        {"items stop early", stopsEarly, "the compressed stream breaks off at item EXDATA00002"},
        {"an item missing", itemMissing, "the compressed stream breaks off at the missing item EXDATA00003"},
        {"first item missing", firstMissing, "its first item EXDATA00000 is missing"},
        {"first item emptied", firstEmptied, "its first item EXDATA00000 is empty"},
        {"no zlib stream", itemsOfStream(noiseBytes(2000), "EXDATA0"), "inflate returned -3 ("},
        {"preset dictionary", itemsOfStream(streamWithDictionary(ticketText(3000)), "EXDATA0"),
         "inflate returned 2 (need dictionary) at item EXDATA00000"},
        {"beyond the store", itemsOfStream(compressed(std::string(kPpdxMaxDataSize + 5000, 'A')), "EXDATA0"),
         "it holds more than 16777216 bytes at item EXDATA0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReadBack back = readFromItems(c.items, "EXDATA0");
        EXPECT_EQ(back.buffer, nullptr);
        EXPECT_EQ(back.size, 0u);
        EXPECT_EQ(back.messages.rfind("ERROR: Data set EXDATA0 is damaged and was not read: " + c.damage, 0), 0u)
            << back.messages;
        EXPECT_EQ(splitLines(back.messages).size(), 1u);
    }
}

// The scheduler runs a queue's cupsFilter2 lines, whatever the keyword's
// case, or its lines under "cupsFilter" spelled so when it has none, chains its own conversions into any of them and takes
// the cheapest road: a queue prints behind its tickets only when its lines
// are the driver's own two, and the reason names the first other line.
TEST_F(PpdxTest, QueueIsTakenOnlyWithTheDriversOwnTwoFilterLines) {
    const std::pair<std::string, std::string> command{"cupsFilter2", "\"application/vnd.cups-command application/vnd.x 0 Lumaprex-Command\""},
        postScript{"cupsFilter2", "\"application/postscript application/vnd.x 0 Lumaprex\""};
    const std::string olderCommand = "\"application/vnd.cups-command 0 Lumaprex-Command\"";
    const std::string other = "the queue's PPD has a filter line that the driver does not own: ";
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> lines;
        std::string reason;  // "" when the queue is taken
    } cases[] = {
        {"newer form", {command, postScript}, ""},
        {"older form", {{"cupsFilter", olderCommand}, {"cupsFilter", "\"application/postscript 0 Lumaprex\""}}, ""},
        {"tabs and a path", {{"cupsFilter", olderCommand},
                             {"cupsFilter", "\"application/postscript\t0\t/usr/lib/cups/filter/Lumaprex\""}}, ""},
        {"source types in capitals, repeated lines, any cost",
         {command, postScript, {"cupsFilter2", "\"APPLICATION/PostScript application/vnd.y -100 Lumaprex\""}}, ""},
        {"older lines beside newer ones are not read", {command, postScript, {"cupsFilter", "\"application/pdf 0 -\""}},
         ""},
        {"newer lines alone count", {{"cupsFilter2", "\"application/postscript application/vnd.x 0 -\""},
                                     {"cupsFilter", "\"application/postscript 0 Lumaprex\""}},
         other + "*cupsFilter2: \"application/postscript application/vnd.x 0 -\""},
        {"a cheaper line to another program", {{"cupsFilter", olderCommand},
                                               {"cupsFilter", "\"application/postscript 100 Lumaprex\""},
                                               {"cupsFilter", "\"application/postscript 0 -\""}},
         other + "*cupsFilter: \"application/postscript 0 -\""},
        {"a line the scheduler chains a conversion into",
         {command, postScript, {"cupsFilter2", "\"application/pdf application/vnd.cups-pdf 0 -\""}},
         other + "*cupsFilter2: \"application/pdf application/vnd.cups-pdf 0 -\""},
        {"a source type in capitals to no program",
         {command, postScript, {"cupsFilter2", "\"APPLICATION/POSTSCRIPT application/vnd.cups-raw 0 -\""}},
         other + "*cupsFilter2: \"APPLICATION/POSTSCRIPT application/vnd.cups-raw 0 -\""},
        {"through pstops, and a wildcard",
         {command, postScript,
          {"cupsFilter2", "\"application/vnd.cups-postscript application/vnd.cups-raw -100 -\""},
          {"cupsFilter2", "\"application/* application/vnd.cups-raw 0 -\""},
          {"cupsFilter2", "\"application/postscript application/vnd.cups-postscript 100 pstops\""}},
         "the queue's PPD has filter lines that the driver does not own: "
         "*cupsFilter2: \"application/vnd.cups-postscript application/vnd.cups-raw -100 -\" and 2 more"},
        {"lines the scheduler cannot read", {{"cupsFilter", olderCommand},
                                             {"cupsFilter", "\"application/postscript 1.5 Lumaprex\""},
                                             {"cupsFilter", "\"application/postscript 0\""}},
         "the queue's PPD has filter lines that the driver does not own: "
         "*cupsFilter: \"application/postscript 1.5 Lumaprex\" and 1 more"},
        {"a pre-filter, which the scheduler runs ahead of the ticket filter",
         {command, postScript, {"cupsprefilter", "\"application/postscript 0 /bin/true\""}},
         other + "*cupsprefilter: \"application/postscript 0 /bin/true\""},
        {"a keyword in capitals with an option, named as written",
         {command, postScript, {"CUPSFILTER2 Foo/Bar", "\"application/pdf application/vnd.cups-pdf 0 -\""}},
         other + "*CUPSFILTER2 Foo/Bar: \"application/pdf application/vnd.cups-pdf 0 -\""},
        {"a blank after the program, which the scheduler takes as part of its name",
         {command, {"cupsFilter2", "\"application/postscript application/vnd.x 0 Lumaprex \""}},
         other + "*cupsFilter2: \"application/postscript application/vnd.x 0 Lumaprex \""},
        {"another program of a longer name",
         {command, {"cupsFilter2", "\"application/postscript application/vnd.x 0 /lib/NotLumaprex\""}},
         other + "*cupsFilter2: \"application/postscript application/vnd.x 0 /lib/NotLumaprex\""},
        {"an older line with two types, read as the newer form",
         {{"cupsFilter", olderCommand}, {"cupsFilter", "\"application/postscript printer/x 0 Lumaprex\""}}, ""},
        {"a cost with a plus", {command, {"cupsFilter2", "\"application/postscript application/vnd.x +0 Lumaprex\""}},
         ""},
        {"a size bound before the program, by name and by path",
         {{"cupsFilter2", "\"application/vnd.cups-command application/vnd.x 0 maxsize(100) /lib/Lumaprex-Command\""},
          {"cupsFilter2", "\"application/postscript application/vnd.x 0 maxsize(5000000)  Lumaprex\""}}, ""},
        {"a size bound the scheduler cannot read",
         {command, {"cupsFilter2", "\"application/postscript application/vnd.x 0 maxsize(5M) Lumaprex\""}},
         other + "*cupsFilter2: \"application/postscript application/vnd.x 0 maxsize(5M) Lumaprex\""},
        {"a line end, after which the scheduler's cache reads a filter of its own",
         {command, {"cupsFilter2", "\"application/postscript application/vnd.x 0 Lumaprex\nFilter application/postscript "
                                   "application/vnd.cups-raw -10 -\""}},
         other + "*cupsFilter2: \"application/postscript application/vnd.x 0 Lumaprex\nFilter application/postscript "
                 "application/vnd.cups-raw -10 -\""},
        {"a blank before the source type",
         {command, {"cupsFilter2", "\" application/postscript application/vnd.x 0 Lumaprex\""}},
         other + "*cupsFilter2: \" application/postscript application/vnd.x 0 Lumaprex\""},
        {"newer lines under a keyword in capitals", {{"CUPSFILTER2", command.second}, {"CupsFilter2", postScript.second}},
         ""},
        {"older lines under a keyword in lower case, which the scheduler does not read",
         {{"cupsfilter", olderCommand}, {"cupsfilter", "\"application/postscript 0 Lumaprex\""}}, kNoTicketFilter},
        {"older lines under a keyword in capitals",
         {{"CUPSFILTER", olderCommand}, {"CUPSFILTER", "\"application/postscript 0 Lumaprex\""}}, kNoTicketFilter},
        {"one older line mis-cased",
         {{"cupsFilter", "\"application/postscript 0 Lumaprex\""}, {"CupsFilter", olderCommand}}, kNoCommandFilter},
        {"no command line", {postScript}, kNoCommandFilter},
        {"no PostScript line", {command}, kNoTicketFilter},
        {"no filter line", {}, kNoTicketFilter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeQueuePpd(dir_.file("queue.ppd"), c.lines);
        ppd_file_t* ppd = ppdOpenFile(dir_.file("queue.ppd").c_str());
        ASSERT_NE(ppd, nullptr);
        std::string reason;
        EXPECT_EQ(FiltersAreTheDriversOwn(ppd, reason), c.reason.empty());
        EXPECT_EQ(reason, c.reason);
        ppdClose(ppd);
    }
    std::string reason;
    EXPECT_FALSE(FiltersAreTheDriversOwn(nullptr, reason));
}

}  // namespace
