#include "framework/OleDataSource.h"

#include <cstring>

namespace {

// A copy of a global block (for a receiver that frees what it gets).
HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    const SIZE_T cb = ::GlobalSize(hSource);
    CGlobalHandle copy(::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, cb));
    if (copy.Get() == nullptr)
        return nullptr;
    const void* pSource = ::GlobalLock(hSource);
    void* pCopy = ::GlobalLock(copy);
    if (pSource != nullptr && pCopy != nullptr)
        std::memcpy(pCopy, pSource, cb);
    if (pCopy != nullptr)
        ::GlobalUnlock(copy);
    if (pSource != nullptr)
        ::GlobalUnlock(hSource);
    if (pSource == nullptr || pCopy == nullptr)
        return nullptr;
    return copy.Release();
}

// Enumerates a fixed list of HGLOBAL formats.
class FormatEnumerator : public IEnumFORMATETC {
public:
    FormatEnumerator(std::vector<CLIPFORMAT> formats, ULONG nPos)
        : m_formats(std::move(formats)), m_nPos(nPos)
    {
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumFORMATETC)) {
            *ppv = static_cast<IEnumFORMATETC*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG n = InterlockedDecrement(&m_nRefs);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override
    {
        if (rgelt == nullptr)
            return E_POINTER;
        ULONG n = 0;
        while (n < celt && m_nPos < m_formats.size()) {
            rgelt[n] = {m_formats[m_nPos], nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
            ++n;
            ++m_nPos;
        }
        if (pceltFetched != nullptr)
            *pceltFetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override
    {
        m_nPos += celt;
        if (m_nPos > m_formats.size()) {
            m_nPos = static_cast<ULONG>(m_formats.size());
            return S_FALSE;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        m_nPos = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** ppEnum) override
    {
        if (ppEnum == nullptr)
            return E_POINTER;
        *ppEnum = new FormatEnumerator(m_formats, m_nPos);
        return S_OK;
    }

private:
    virtual ~FormatEnumerator() = default;
    std::vector<CLIPFORMAT> m_formats;
    ULONG m_nPos = 0;
    LONG m_nRefs = 1;
};

// The drag loop's source side: drop on release of the left button, cancel
// on Escape, the system's cursors.
class DropSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
            *ppv = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack of DoDragDrop: counting only.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override
    {
        if (fEscapePressed)
            return DRAGDROP_S_CANCEL;
        if ((grfKeyState & MK_LBUTTON) == 0)
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

COleDataSource::COleDataSource() = default;

COleDataSource::~COleDataSource() = default;

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal)
{
    for (Entry& entry : m_entries) {
        if (entry.cf == cfFormat) {
            entry.global.Reset(hGlobal);
            return;
        }
    }
    m_entries.push_back({cfFormat, CGlobalHandle(hGlobal)});
}

// The clipboard may be open in another window for a moment (the system's
// clipboard manager copies each new content): try again a few times.
BOOL COleDataSource::SetClipboard()
{
    HRESULT hr = ::OleSetClipboard(this);
    for (int nTry = 0; hr == CLIPBRD_E_CANT_OPEN && nTry < 25; ++nTry) {
        ::Sleep(20);
        hr = ::OleSetClipboard(this);
    }
    return SUCCEEDED(hr);
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects)
{
    DropSource source;
    DWORD dwEffect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(this, &source, dwEffects, &dwEffect);
    if (hr != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return dwEffect;
}

const COleDataSource::Entry* COleDataSource::Find(const FORMATETC* pFormat) const
{
    if (pFormat == nullptr || (pFormat->tymed & TYMED_HGLOBAL) == 0)
        return nullptr;
    if (pFormat->dwAspect != DVASPECT_CONTENT)
        return nullptr;
    for (const Entry& entry : m_entries) {
        if (entry.cf == pFormat->cfFormat)
            return &entry;
    }
    return nullptr;
}

HRESULT COleDataSource::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG COleDataSource::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefs));
}

ULONG COleDataSource::Release()
{
    const LONG n = InterlockedDecrement(&m_nRefs);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT COleDataSource::GetData(FORMATETC* pFormat, STGMEDIUM* pMedium)
{
    if (pMedium == nullptr)
        return E_POINTER;
    const Entry* pEntry = Find(pFormat);
    if (pEntry == nullptr)
        return DV_E_FORMATETC;
    HGLOBAL hCopy = CopyGlobal(pEntry->global);
    if (hCopy == nullptr)
        return E_OUTOFMEMORY;
    pMedium->tymed = TYMED_HGLOBAL;
    pMedium->hGlobal = hCopy;
    pMedium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT COleDataSource::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT COleDataSource::QueryGetData(FORMATETC* pFormat)
{
    return Find(pFormat) != nullptr ? S_OK : DV_E_FORMATETC;
}

HRESULT COleDataSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut)
{
    if (pOut != nullptr)
        pOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT COleDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT COleDataSource::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum)
{
    if (ppEnum == nullptr)
        return E_POINTER;
    *ppEnum = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<CLIPFORMAT> formats;
    for (const Entry& entry : m_entries)
        formats.push_back(entry.cf);
    *ppEnum = new FormatEnumerator(std::move(formats), 0);
    return S_OK;
}

HRESULT COleDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleDataSource::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleDataSource::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
