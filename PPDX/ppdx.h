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

#include <cups/ppd.h>

// Largest content a data set can hold.
inline constexpr std::size_t kPpdxMaxDataSize = 16u * 1024u * 1024u;
// Longest keyword the scheduler stores for a "PPD:" item.
inline constexpr std::size_t kPpdxMaxKeywordLength = 40;

// True for a name the store accepts: at most 36 characters, each a visible
// ASCII character other than ':', '=' and '/'.
bool ppdxIsValidName(const char* name);

// Writes the data set on standard error. Returns false, having written
// nothing, for an invalid name, no data with a non-zero size, a size above
// kPpdxMaxDataSize, or a data set whose keywords would grow too long.
bool ppdxWriteData(const char* name, const void* data, std::size_t size);
// The same, writing to the given stream.
bool ppdxWriteDataTo(std::FILE* out, const char* name, const void* data, std::size_t size);

// Reads the data set back. Returns a malloc'ed buffer holding the content and
// one NUL byte (release with free), or null when the PPD holds no such data
// set. *datasize, when given, is 0 unless a buffer is returned.
void* ppdxReadData(ppd_file_t* ppd, const char* name, std::size_t* datasize);
// The same, writing its "ERROR:" lines to the given stream.
void* ppdxReadDataFrom(ppd_file_t* ppd, const char* name, std::size_t* datasize,
                       std::FILE* messages);
