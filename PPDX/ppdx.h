// PPD data store: one named data set kept in the main keywords of a queue's
// PPD. The writer hands "PPD:" lines to the scheduler, which stores them as
// keywords; the reader rebuilds the data set from an opened PPD.
//
// Stored form: the content deflated into one zlib stream, cut into chunks of
// 158 bytes, each chunk in base 64 under the keyword <name><counter>, the
// counter in lower-case hexadecimal, at least four characters wide; an item
// with an empty value ends the data set.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include <cups/ppd.h>
#include <zlib.h>

// Largest content a data set can hold.
inline constexpr std::size_t kPpdxMaxDataSize = 16u * 1024u * 1024u;
// Longest keyword the scheduler stores for a "PPD:" item.
inline constexpr std::size_t kPpdxMaxKeywordLength = 40;

// True for a name the store accepts: at most 36 characters, each a visible
// ASCII character other than ':', '=' and '/'.
bool ppdxIsValidName(const char* name);

// The keyword of the data set's item of that counter.
std::string ppdxItemKeyword(const char* name, unsigned counter);

// Writes the data set on standard error. Returns false, having written
// nothing, for an invalid name, no data with a non-zero size, a size above
// kPpdxMaxDataSize, or a data set whose keywords would grow too long; false,
// having written only an "ERROR:" line, when the content cannot be
// compressed, so the data set the queue holds stays as it was; false when
// the stream does not take every line.
bool ppdxWriteData(const char* name, const void* data, std::size_t size);
// The same, writing to the given stream.
bool ppdxWriteDataTo(std::FILE* out, const char* name, const void* data, std::size_t size);
// The same, for a data set that replaces the one of that name in the opened
// PPD: the scheduler keeps every keyword it is not given again, so each item
// of an earlier, longer data set beyond the new one's end is given an empty
// value, and the PPD then holds the new data set alone.
bool ppdxReplaceDataTo(std::FILE* out, const ppd_file_t* ppd, const char* name, const void* data,
                       std::size_t size);

// A data set made ready to be written: its content compressed, so that once
// every data set a filter stores is ready, writing them cannot fail for their
// contents and the scheduler receives all of them or, on a failure, none.
struct PpdxDataSet {
    std::string name;
    std::size_t size = 0;
    std::vector<unsigned char> compressed;
};
// Makes the data set ready. False, having written nothing, for what
// ppdxWriteData refuses; false, with an "ERROR:" line on messages, when the
// content cannot be compressed.
bool ppdxPrepareData(std::FILE* messages, const char* name, const void* data, std::size_t size,
                     PpdxDataSet& set);
// The items the data set takes in the PPD, its terminator among them.
std::size_t ppdxItemCount(const PpdxDataSet& set);
// Writes a data set made ready, as ppdxReplaceDataTo does.
bool ppdxWritePrepared(std::FILE* out, const ppd_file_t* ppd, const PpdxDataSet& set);

// The zlib call through which the writer compresses (deflate). Tests put a
// failing one in its place to see what a failed compression writes; null
// puts deflate back.
using PpdxDeflateCall = int (*)(z_stream* stream, int flush);
void ppdxSetDeflateCall(PpdxDeflateCall call);

// Reads the data set back, whole or not at all: the content counts only when
// its compressed stream ends whole within kPpdxMaxDataSize bytes. Returns a
// malloc'ed buffer holding the content and one NUL byte (release with free),
// or null. Null with damage empty: the PPD holds no such data set. Null with
// damage set, saying why: the data set is there but cannot be read whole (its
// first item missing, or empty with a value after it, an item empty or missing
// before the stream ends, a broken stream, too much content, no memory).
// *datasize, when given, is 0 unless a buffer is returned.
void* ppdxReadWholeData(ppd_file_t* ppd, const char* name, std::size_t* datasize,
                        std::string& damage);
// The same, writing one "ERROR:" line on standard error for a damaged data
// set.
void* ppdxReadData(ppd_file_t* ppd, const char* name, std::size_t* datasize);
// The same, writing that line to the given stream.
void* ppdxReadDataFrom(ppd_file_t* ppd, const char* name, std::size_t* datasize,
                       std::FILE* messages);
