// Creating windows: the creation hook that binds the object before the window's first
// message, Create and CreateEx, and the framework's window classes.
#include "afxwin.h"
#include "threadstate.h"

#include <stdio.h>

namespace {

// Windows that USER makes on its own while another is created (the input method's)
// are not the one being created.
BOOL IsImeWindow(HWND hWnd)
{
    char szClass[16];
    return ::GetClassNameA(hWnd, szClass, sizeof szClass) > 0 && lstrcmpiA(szClass, "IME") == 0;
}

// Registers a class of the framework (USER's default procedure, the application's
// instance) once; its name.
LPCTSTR RegisterFrameworkClass(LPCTSTR lpszName, UINT nStyle, HBRUSH hbrBackground, HICON hIcon)
{
    WNDCLASS wndcls = {};
    wndcls.style = nStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wndcls.hbrBackground = hbrBackground;
    wndcls.hIcon = hIcon;
    wndcls.lpszClassName = lpszName;
    return AfxRegisterClass(&wndcls) ? lpszName : NULL;
}

} // namespace

// The hook sees the creation of every window of the thread while a CWnd is being
// created; it binds the first one to the object and subclasses it. An object that
// cannot be bound makes the creation fail (and stays the one to bind, which tells
// CreateEx). Nothing may be thrown through USER.
LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (nCode != HCBT_CREATEWND || pState->m_pWndInit == NULL || IsImeWindow((HWND)wParam))
        return ::CallNextHookEx(pState->m_hHookOldCbtFilter, nCode, wParam, lParam);

    CWnd* pWndInit = pState->m_pWndInit;
    HWND hWnd = (HWND)wParam;
    BOOL bBound = FALSE;
    try
    {
        if (pWndInit->Attach(hWnd))
        {
            pWndInit->PreSubclassWindow();
            WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
            // A class whose procedure already is AfxWndProc needs no super procedure.
            if (pfnOld != AfxWndProc)
                pWndInit->m_pfnSuper = pfnOld;
            bBound = TRUE;
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    if (!bBound)
    {
        if (pWndInit->m_hWnd == hWnd)
            pWndInit->Detach();
        return 1;
    }
    pState->m_pWndInit = NULL;
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, nCode, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pWndInit == pWnd)
        return;
    if (pState->m_hHookOldCbtFilter == NULL)
    {
        pState->m_hHookOldCbtFilter = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
        if (pState->m_hHookOldCbtFilter == NULL)
            AfxThrowMemoryException();
    }
    ASSERT(pState->m_pWndInit == NULL);
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter != NULL)
    {
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = NULL;
    }
    if (pState->m_pWndInit != NULL)
    {
        pState->m_pWndInit = NULL;
        return FALSE;
    }
    return TRUE;
}

// Creation

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxWndClassName();
    return cs.lpszClass != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    ASSERT(m_hWnd == NULL);
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
    {
        // The object was never bound, so no message reached it.
        if (hWnd != NULL)
            ::DestroyWindow(hWnd);
        PostNcDestroy();
        return FALSE;
    }
    // A creation that failed after binding sent WM_NCDESTROY, which may have deleted
    // the object.
    return hWnd != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    ASSERT(pParentWnd != NULL);
    ASSERT((dwStyle & WS_POPUP) == 0);
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                    (LPVOID)pContext);
}

// Window classes

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HINSTANCE hInst = AfxGetInstanceHandle();
    snprintf(pState->m_szTempClassName, sizeof pState->m_szTempClassName, "Afx:%p:%x:%p:%p:%p",
             (void*)hInst, nClassStyle, (void*)hCursor, (void*)hbrBackground, (void*)hIcon);

    WNDCLASS wndcls = {};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = pState->m_szTempClassName;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return pState->m_szTempClassName;
}

// No background brush: a child erased by its class before it paints itself would flicker.
LPCTSTR AfxWndClassName()
{
    static LPCTSTR lpszName = RegisterFrameworkClass("AfxWnd42", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, NULL, NULL);
    return lpszName;
}

LPCTSTR AfxFrameWndClassName()
{
    static LPCTSTR lpszName = RegisterFrameworkClass("AfxFrameOrView42", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                     (HBRUSH)(COLOR_WINDOW + 1),
                                                     ::LoadIcon(NULL, IDI_APPLICATION));
    return lpszName;
}
