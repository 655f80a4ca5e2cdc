// An owned block of global memory (GlobalAlloc/GlobalFree); move-only.
#pragma once

#include <windows.h>

class CGlobalMemory {
public:
    CGlobalMemory() = default;
    ~CGlobalMemory() { Free(); }
    CGlobalMemory(const CGlobalMemory&) = delete;
    CGlobalMemory& operator=(const CGlobalMemory&) = delete;
    CGlobalMemory(CGlobalMemory&& other) noexcept : m_hMem(other.Detach()) {}
    CGlobalMemory& operator=(CGlobalMemory&& other) noexcept
    {
        if (this != &other) {
            Free();
            m_hMem = other.Detach();
        }
        return *this;
    }

    // Allocates a new block, freeing the one held before; FALSE on failure.
    BOOL Alloc(UINT uFlags, SIZE_T cb)
    {
        Free();
        m_hMem = ::GlobalAlloc(uFlags, cb);
        return m_hMem != nullptr;
    }
    void Free()
    {
        if (m_hMem != nullptr) {
            ::GlobalFree(m_hMem);
            m_hMem = nullptr;
        }
    }
    HGLOBAL Detach()
    {
        HGLOBAL h = m_hMem;
        m_hMem = nullptr;
        return h;
    }
    HGLOBAL GetHandle() const { return m_hMem; }
    // The memory of a fixed block (GMEM_FIXED, GPTR): the handle is the pointer.
    void* GetFixedPointer() const { return m_hMem; }

private:
    HGLOBAL m_hMem = nullptr;
};
