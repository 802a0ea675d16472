// Stand-in for the Resource Manager: a process-wide registry of resources,
// each a block of bytes keyed by a four-character type and an id.
#pragma once

#include <cstdint>
#include <vector>

using OSErr = std::int16_t;
using ResType = std::uint32_t;
using ResID = std::int16_t;

constexpr OSErr noErr = 0;
constexpr OSErr resNotFound = -192;

// A resource as the caller holds it: a pointer to the master pointer of its
// bytes.
using Handle = char**;

// Builds a ResType from its four characters, "LNG#" and the like.
constexpr ResType MakeResType(const char (&code)[5]) {
    return (static_cast<ResType>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<ResType>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<ResType>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<ResType>(static_cast<unsigned char>(code[3]));
}

// Registry side: what the bundle's resource file would hold.
void AddResource(ResType type, ResID id, std::vector<char> bytes);
void RemoveAllResources();

// Lookup side, as the string-table classes use it.
Handle GetResource(ResType type, ResID id);
OSErr ResError();
void HLock(Handle handle);
void HUnlock(Handle handle);
long GetHandleSize(Handle handle);
void ReleaseResource(Handle handle);
