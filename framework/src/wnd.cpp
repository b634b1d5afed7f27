// CWnd as a handle wrapper: the window handle map, attaching and destroying.
#include "afxwin.h"
#include "handlemap.h"

IMPLEMENT_DYNCREATE(CWnd, CObject)

namespace {

CWnd* NewTempWnd(HWND hWnd)
{
    CWnd* pWnd = new CWnd;
    pWnd->m_hWnd = hWnd;
    return pWnd;
}

void ReleaseTempWnd(CWnd* pWnd) { pWnd->m_hWnd = NULL; }

CHandleMap<CWnd, HWND>& WndMap()
{
    static CHandleMap<CWnd, HWND> map(NewTempWnd, ReleaseTempWnd);
    return map;
}

} // namespace

CWnd::~CWnd()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) { return WndMap().FromHandle(hWnd); }

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) { return WndMap().LookupPermanent(hWnd); }

void PASCAL CWnd::DeleteTempMap() { WndMap().DeleteTemp(); }

BOOL CWnd::Attach(HWND hWndNew)
{
    ASSERT(m_hWnd == NULL);
    if (hWndNew == NULL)
        return FALSE;
    WndMap().SetPermanent(m_hWnd = hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        WndMap().RemoveHandle(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    return ::DestroyWindow(Detach());
}
