// Forward reading of one region of an open file (an ID3v2 tag's body), in
// chunks, optionally with the tag's unsynchronisation undone. Plain C++ over
// the C library's FILE, like the rest of the tag reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// Positions a FILE at a 64-bit offset (fseeko or _fseeki64); 0 on success.
int SeekFile(std::FILE* pFile, std::int64_t pos, int nOrigin);
std::int64_t TellFile(std::FILE* pFile);

class CTagStream {
public:
    // The region of cbRegion bytes at posBegin. Every chunk taken from the
    // file is charged to cbBudget (at least 4 KB a chunk); when the budget is
    // spent the region ends there, so that a file costs a bounded amount of
    // reading whatever sizes it declares. The budget outlives the stream.
    CTagStream(std::FILE* pFile, std::int64_t posBegin, std::int64_t cbRegion, bool bUnsync,
               std::int64_t& cbBudget);
    CTagStream(const CTagStream&) = delete;
    CTagStream& operator=(const CTagStream&) = delete;

    // Copies up to cb bytes (unsynchronisation undone) and returns how many;
    // fewer only where the region, the budget or the file ends.
    std::size_t Read(unsigned char* pDest, std::size_t cb);
    // Passes over cb bytes; false when the region (or budget) ends first.
    bool Skip(std::uint64_t cb);
    // True after the file gave fewer bytes than the region promised (a read
    // error, or a file that shrank while being read).
    bool Failed() const { return m_bFailed; }

private:
    bool Fill();

    std::FILE* m_pFile;
    std::int64_t m_posNext;  // file offset of the next chunk
    std::int64_t m_cbLeft;   // bytes of the region not yet in the buffer
    bool m_bUnsync;
    bool m_bAfterFF = false;  // the last byte passed on was 0xFF
    bool m_bFailed = false;
    std::int64_t& m_cbBudget;
    std::vector<unsigned char> m_buffer;
    std::size_t m_iNext = 0;
    std::size_t m_iEnd = 0;
};
