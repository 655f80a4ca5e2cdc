// The receiving side of OLE data: wraps an IDataObject (the clipboard's or
// one handed to a drop target) and reads global-memory formats from it.
#pragma once

#include <windows.h>
#include <ole2.h>

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Wraps a data object; with bAutoRelease the wrapper releases it.
    void Attach(IDataObject* pDataObject, BOOL bAutoRelease = TRUE);
    // Wraps the clipboard's current data object; FALSE when none.
    BOOL AttachClipboard();
    void Release();
    IDataObject* GetIDataObject() const { return m_pDataObject; }

    BOOL IsDataAvailable(CLIPFORMAT cfFormat) const;
    // A copy of the data in that format as global memory the caller frees;
    // null when the format is not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat) const;

private:
    IDataObject* m_pDataObject = nullptr;
    BOOL m_bAutoRelease = FALSE;
};
