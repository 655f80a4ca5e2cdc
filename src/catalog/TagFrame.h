// One album, comment or SEEK frame of an ID3v2 tag made ready for
// libid3tag's in-memory parser: unsynchronisation undone, the inflated size
// of compressed data checked against a fixed bound, and an album cut after
// its first string, so that what libid3tag gets is small.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A frame larger than this, as stored or as it declares itself once
// inflated, is passed over as if it were absent.
inline constexpr std::size_t kMaxTagFrameBytes = 256 * 1024;

enum class FrameUse {
    kKeep,       // the plain frame is ready
    kSkip,       // too large once inflated, or of unknown inflated size
    kBreaksTag,  // libid3tag would reject it, and with it the whole tag
};

// nMajor: the tag's version (2, 3 or 4); pHeader: the frame header as stored
// (6 bytes in ID3v2.2, else 10); body: the frame's data as stored, with a
// whole tag's unsynchronisation already undone. bFirstStringOnly: a text
// frame of which only the first string is read. On kKeep, frame holds the
// header (new size and flags) and the plain data.
FrameUse MakePlainFrame(int nMajor, const unsigned char* pHeader, std::string body,
                        bool bFirstStringOnly, std::string& frame);

// Numbers of ID3v2 headers: big-endian, and 28 bits in four 7-bit bytes.
std::uint32_t ReadBigEndian(const unsigned char* p, int cb);
std::uint32_t ReadSyncsafe(const unsigned char* p);
void WriteSyncsafe(std::string& bytes, std::size_t pos, std::size_t n);
