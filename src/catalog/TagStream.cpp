#include "catalog/TagStream.h"

#include <algorithm>
#include <cstring>

namespace {

// A tag is usually read with one chunk; larger tags take a few.
constexpr std::size_t kChunk = 16 * 1024;
// What a chunk costs the budget at least, so that many tiny reads (a frame
// header every 64 KB, say) run it out as surely as few big ones.
constexpr std::int64_t kMinChunkCost = 4 * 1024;

}  // namespace

// The Winelib build uses the host C library, whose fseeko takes 64-bit
// offsets; the Windows C runtime has its own 64-bit calls.
int SeekFile(std::FILE* pFile, std::int64_t pos, int nOrigin)
{
#if defined(_WIN32) && !defined(__WINE__)
    return _fseeki64(pFile, pos, nOrigin);
#else
    return fseeko(pFile, static_cast<off_t>(pos), nOrigin);
#endif
}

std::int64_t TellFile(std::FILE* pFile)
{
#if defined(_WIN32) && !defined(__WINE__)
    return _ftelli64(pFile);
#else
    return ftello(pFile);
#endif
}

CTagStream::CTagStream(std::FILE* pFile, std::int64_t posBegin, std::int64_t cbRegion,
                       bool bUnsync, std::int64_t& cbBudget)
    : m_pFile(pFile),
      m_posNext(posBegin),
      m_cbLeft(std::max<std::int64_t>(cbRegion, 0)),
      m_bUnsync(bUnsync),
      m_cbBudget(cbBudget),
      m_buffer(static_cast<std::size_t>(std::min<std::int64_t>(m_cbLeft, kChunk)))
{
}

// Loads the next chunk of the region; false at its end, when the budget is
// spent, or when the file cannot give the bytes (then Failed() says so).
bool CTagStream::Fill()
{
    if (m_cbLeft <= 0 || m_cbBudget <= 0)
        return false;
    const std::size_t cb = static_cast<std::size_t>(std::min<std::int64_t>(m_cbLeft, kChunk));
    m_cbBudget -= std::max<std::int64_t>(static_cast<std::int64_t>(cb), kMinChunkCost);
    if (SeekFile(m_pFile, m_posNext, SEEK_SET) != 0 ||
        std::fread(m_buffer.data(), 1, cb, m_pFile) != cb) {
        m_bFailed = true;
        m_cbLeft = 0;
        return false;
    }
    m_posNext += static_cast<std::int64_t>(cb);
    m_cbLeft -= static_cast<std::int64_t>(cb);
    m_iNext = 0;
    m_iEnd = cb;
    return true;
}

// Unsynchronisation put a 0x00 after 0xFF bytes; every 0x00 that follows a
// 0xFF is taken out again (also the second of "FF 00 00" stays).
std::size_t CTagStream::Read(unsigned char* pDest, std::size_t cb)
{
    std::size_t cbDone = 0;
    while (cbDone < cb) {
        if (m_iNext == m_iEnd && !Fill())
            break;
        if (!m_bUnsync) {
            const std::size_t n = std::min(cb - cbDone, m_iEnd - m_iNext);
            std::memcpy(pDest + cbDone, &m_buffer[m_iNext], n);
            m_iNext += n;
            cbDone += n;
            continue;
        }
        const unsigned char ch = m_buffer[m_iNext++];
        if (m_bAfterFF && ch == 0) {
            m_bAfterFF = false;
            continue;
        }
        m_bAfterFF = ch == 0xFF;
        pDest[cbDone++] = ch;
    }
    return cbDone;
}

// Without unsynchronisation a skip beyond the buffer only moves the file
// offset. With it every byte has to be looked at.
bool CTagStream::Skip(std::uint64_t cb)
{
    while (cb > 0) {
        if (m_iNext == m_iEnd) {
            if (!m_bUnsync) {
                const bool bInside = static_cast<std::uint64_t>(m_cbLeft) >= cb;
                const std::int64_t cbMove = bInside ? static_cast<std::int64_t>(cb) : m_cbLeft;
                m_posNext += cbMove;
                m_cbLeft -= cbMove;
                return bInside;
            }
            if (!Fill())
                return false;
        }
        if (!m_bUnsync) {
            const std::size_t n =
                static_cast<std::size_t>(std::min<std::uint64_t>(cb, m_iEnd - m_iNext));
            m_iNext += n;
            cb -= n;
            continue;
        }
        for (; cb > 0 && m_iNext < m_iEnd; ++m_iNext) {
            const unsigned char ch = m_buffer[m_iNext];
            if (m_bAfterFF && ch == 0) {
                m_bAfterFF = false;
                continue;
            }
            m_bAfterFF = ch == 0xFF;
            --cb;
        }
    }
    return true;
}
