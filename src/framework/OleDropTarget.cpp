#include "framework/OleDropTarget.h"

#include "framework/Wnd.h"

// The IDropTarget that OLE calls; it hands each call to its owner with the
// window and a client point.
class COleDropTarget::Sink : public IDropTarget {
public:
    explicit Sink(COleDropTarget* pOwner) : m_pOwner(pOwner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
            *ppv = static_cast<IDropTarget*>(this);
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
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                        DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr)
            return E_INVALIDARG;
        CWnd* pWnd = Window();
        if (m_pOwner == nullptr || pWnd == nullptr) {
            *pdwEffect = DROPEFFECT_NONE;
            return S_OK;
        }
        if (pDataObj != nullptr)
            pDataObj->AddRef();
        m_data.Attach(pDataObj, TRUE);
        *pdwEffect &= m_pOwner->OnDragEnter(pWnd, &m_data, grfKeyState, ClientPoint(pt));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr)
            return E_INVALIDARG;
        CWnd* pWnd = Window();
        if (m_pOwner == nullptr || pWnd == nullptr) {
            *pdwEffect = DROPEFFECT_NONE;
            return S_OK;
        }
        *pdwEffect &= m_pOwner->OnDragOver(pWnd, &m_data, grfKeyState, ClientPoint(pt));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        CWnd* pWnd = Window();
        if (m_pOwner != nullptr && pWnd != nullptr)
            m_pOwner->OnDragLeave(pWnd);
        m_data.Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                   DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr)
            return E_INVALIDARG;
        CWnd* pWnd = Window();
        if (m_pOwner == nullptr || pWnd == nullptr) {
            *pdwEffect = DROPEFFECT_NONE;
            m_data.Release();
            return S_OK;
        }
        if (pDataObj != nullptr) {
            pDataObj->AddRef();
            m_data.Attach(pDataObj, TRUE);
        }
        const POINT point = ClientPoint(pt);
        DROPEFFECT effect = *pdwEffect & m_pOwner->OnDragOver(pWnd, &m_data, grfKeyState, point);
        if (effect != DROPEFFECT_NONE && !m_pOwner->OnDrop(pWnd, &m_data, effect, point))
            effect = DROPEFFECT_NONE;
        *pdwEffect = effect;
        m_data.Release();
        return S_OK;
    }

    void Detach() { m_pOwner = nullptr; }

private:
    virtual ~Sink() = default;
    CWnd* Window() const
    {
        return m_pOwner != nullptr ? CWnd::FromHandlePermanent(m_pOwner->m_hWnd) : nullptr;
    }
    POINT ClientPoint(POINTL pt) const
    {
        POINT point = {pt.x, pt.y};
        if (m_pOwner != nullptr)
            ::ScreenToClient(m_pOwner->m_hWnd, &point);
        return point;
    }

    COleDropTarget* m_pOwner;
    COleDataObject m_data;
    LONG m_nRefs = 1;
};

COleDropTarget::COleDropTarget() = default;

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    Sink* pSink = new Sink(this);
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, pSink))) {
        pSink->Detach();
        pSink->Release();
        return FALSE;
    }
    m_pSink = pSink;
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
    if (m_pSink != nullptr) {
        m_pSink->Detach();
        m_pSink->Release();
        m_pSink = nullptr;
    }
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, POINT)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, POINT)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, POINT)
{
    return FALSE;
}
