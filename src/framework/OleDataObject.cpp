#include "framework/OleDataObject.h"

#include "framework/Handles.h"

void COleDataObject::Attach(IDataObject* pDataObject, BOOL bAutoRelease)
{
    Release();
    m_pDataObject = pDataObject;
    m_bAutoRelease = bAutoRelease;
}

BOOL COleDataObject::AttachClipboard()
{
    Release();
    IDataObject* pDataObject = nullptr;
    HRESULT hr = ::OleGetClipboard(&pDataObject);
    // The clipboard may be open in another window for a moment.
    for (int nTry = 0; hr == CLIPBRD_E_CANT_OPEN && nTry < 25; ++nTry) {
        ::Sleep(20);
        hr = ::OleGetClipboard(&pDataObject);
    }
    if (FAILED(hr) || pDataObject == nullptr)
        return FALSE;
    Attach(pDataObject, TRUE);
    return TRUE;
}

void COleDataObject::Release()
{
    if (m_pDataObject != nullptr && m_bAutoRelease)
        m_pDataObject->Release();
    m_pDataObject = nullptr;
    m_bAutoRelease = FALSE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat) const
{
    if (m_pDataObject == nullptr)
        return FALSE;
    FORMATETC fmt = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return m_pDataObject->QueryGetData(&fmt) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat) const
{
    if (m_pDataObject == nullptr)
        return nullptr;
    FORMATETC fmt = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (FAILED(m_pDataObject->GetData(&fmt, &medium)))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr) {
        ::ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (medium.pUnkForRelease == nullptr)
        return medium.hGlobal;  // ours now
    // Owned by the source: take a copy.
    const SIZE_T cb = ::GlobalSize(medium.hGlobal);
    CGlobalHandle copy(::GlobalAlloc(GMEM_MOVEABLE, cb));
    const void* pSource = ::GlobalLock(medium.hGlobal);
    void* pCopy = copy.Get() != nullptr ? ::GlobalLock(copy) : nullptr;
    if (pSource != nullptr && pCopy != nullptr)
        memcpy(pCopy, pSource, cb);
    if (pCopy != nullptr)
        ::GlobalUnlock(copy);
    if (pSource != nullptr)
        ::GlobalUnlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    if (pSource == nullptr || pCopy == nullptr)
        return nullptr;
    return copy.Release();
}
