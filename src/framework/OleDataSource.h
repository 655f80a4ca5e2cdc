// An OLE data source: global-memory data offered in one or more clipboard
// formats through IDataObject, put on the clipboard or dragged with the
// OLE drag loop.
//
// The object is reference counted the COM way: `new` it, and give it up
// with InternalRelease (the clipboard or a drag holds its own references).
#pragma once

#include <windows.h>
#include <ole2.h>

#include <vector>

#include "framework/Handles.h"

using DROPEFFECT = DWORD;

class COleDataSource : public IDataObject {
public:
    COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Offers hGlobal in the given format; the source owns it from now on
    // (a second call for the same format replaces the first block).
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal);
    // Puts the source on the clipboard (OleSetClipboard); FALSE on failure.
    BOOL SetClipboard();
    // Runs the OLE drag loop until the drop or cancel; returns the effect
    // that the target chose (DROPEFFECT_NONE when cancelled).
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // Gives up the creator's reference.
    void InternalRelease() { Release(); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* pIn, FORMATETC* pOut) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* pFormat, STGMEDIUM* pMedium, BOOL fRelease) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;

private:
    virtual ~COleDataSource();
    struct Entry {
        CLIPFORMAT cf;
        CGlobalHandle global;
    };
    const Entry* Find(const FORMATETC* pFormat) const;

    LONG m_nRefs = 1;
    std::vector<Entry> m_entries;
};
