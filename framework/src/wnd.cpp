// CWnd as a window object: the window handle map, binding and subclassing, destruction
// and the end of the binding at WM_NCDESTROY.
#include "afxwin.h"
#include "handlemap.h"
#include "threadstate.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

CHandleMap<CWnd, HWND>& WndMap()
{
    typedef CSingleHandleTemp<CWnd, HWND, &CWnd::m_hWnd> Temp;
    static thread_local CHandleMap<CWnd, HWND> map(Temp::New, Temp::Release);
    return map;
}

} // namespace

CWnd::CWnd() : m_hWnd(NULL), m_nFlags(0), m_nModalResult(0), m_pfnSuper(NULL) {}

CWnd::~CWnd()
{
    // By now the object is a plain CWnd: the messages of the destruction reach only
    // CWnd's handlers, and its PostNcDestroy deletes nothing.
    if (m_hWnd != NULL && this != &wndTop && this != &wndBottom && this != &wndTopMost
        && this != &wndNoTopMost)
        DestroyWindow();
}

// The handle maps

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) { return WndMap().FromHandle(hWnd); }

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) { return WndMap().LookupPermanent(hWnd); }

void PASCAL CWnd::DeleteTempMap() { WndMap().DeleteTemp(); }

BOOL CWnd::Attach(HWND hWndNew)
{
    ASSERT(m_hWnd == NULL);
    if (hWndNew == NULL)
        return FALSE;
    CWnd* pBound = WndMap().LookupPermanent(hWndNew);
    if (pBound != NULL && pBound != this)
        return FALSE;
    WndMap().SetPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        WndMap().RemoveHandle(hWnd, this);
    m_hWnd = NULL;
    m_pfnSuper = NULL;
    return hWnd;
}

// Subclassing

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    try
    {
        PreSubclassWindow();
    }
    catch (...)
    {
        Detach();
        throw;
    }
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (pfnOld == NULL)
    {
        // A window of another process cannot be subclassed.
        Detach();
        return FALSE;
    }
    if (pfnOld != AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    ASSERT(pParent != NULL);
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    ASSERT(m_hWnd != NULL);
    if (m_pfnSuper != NULL)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    return Detach();
}

// Destruction

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    HWND hWnd = m_hWnd;
    BOOL bBound = WndMap().LookupPermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    // 'this' may be deleted now: an object whose window took its messages was unbound
    // by OnNcDestroy. One bound by Attach alone saw nothing and is unbound here.
    if (bBound && !::IsWindow(hWnd) && WndMap().LookupPermanent(hWnd) == this)
        Detach();
    return bResult;
}

void CWnd::OnNcDestroy()
{
    // The thread's main window going away ends the thread's message loop.
    if (CWinThread* pThread = AfxGetThread())
    {
        if (pThread->m_pMainWnd == this)
        {
            AfxPostQuitMessage(0);
            pThread->m_pMainWnd = NULL;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = NULL;
    }
    // A window whose modal loop was not ended goes without it (destroyed by a handler
    // or with its owner): the loop ends with -1 rather than wait for good. A message of
    // the thread wakes it, since those posted to the window go with the window.
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nModalResult = -1;
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessage(NULL, WM_NULL, 0, 0);
    }

    // The default handling, then the window's own procedure back unless someone
    // subclassed it after us.
    LONG_PTR pfnWndProc = ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    Default();
    if (m_pfnSuper != NULL && ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == pfnWndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    Detach();
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}
