// How a message reaches a handler: AfxWndProc finds the window's object, AfxCallWndProc
// records the message and stops exceptions, WindowProc asks OnWndMsg, which finds the
// entry in the class's message map and calls the handler by its signature; otherwise
// DefWindowProc. Also the loop's side: PreTranslateMessage through the window tree.
#include "afxwin.h"
#include "afxpriv.h"
#include "threadstate.h"

#include <exception>
#include <new>
#include <stdio.h>

namespace {

// What an exception that is not the framework's says when it reaches a window procedure.
class CForeignException : public CException
{
public:
    explicit CForeignException(LPCSTR lpszWhat)
    {
        snprintf(m_szMessage, sizeof m_szMessage, "%s", lpszWhat);
    }
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT) override
    {
        if (lpszError == NULL || nMaxError == 0)
            return FALSE;
        snprintf(lpszError, nMaxError, "%s", m_szMessage);
        return TRUE;
    }

private:
    char m_szMessage[256];
};

// The result of msg after its handler threw e; e is deleted. Nothing leaves this.
LRESULT HandleWndProcException(CException* e, const MSG& msg) noexcept
{
    LRESULT lResult = msg.message == WM_CREATE ? -1 : 0;
    try
    {
        CWinThread* pThread = AfxGetThread();
        lResult = pThread != NULL ? pThread->ProcessWndProcException(e, &msg)
                                  : AfxProcessWndProcException(e, &msg);
    }
    catch (CException* eNested)
    {
        eNested->Delete();
    }
    catch (...)
    {
    }
    e->Delete();
    return lResult;
}

// An exception of another kind becomes a framework exception to report.
LRESULT HandleForeignException(LPCSTR lpszWhat, const MSG& msg) noexcept
{
    CException* e = new (std::nothrow) CForeignException(lpszWhat);
    if (e == NULL)
        return msg.message == WM_CREATE ? -1 : 0;
    return HandleWndProcException(e, msg);
}

// The entry of the maps from pMap down for window message nMsg, or NULL.
const AFX_MSGMAP_ENTRY* FindWindowMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg)
{
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        if (nMsg >= 0xC000 && nMsg <= 0xFFFF)
        {
            // Registered messages: the entry holds the address of the number.
            for (const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries; lpEntry->nSig != AfxSig_end; lpEntry++)
            {
                if (lpEntry->nMessage == 0xC000 && *(const UINT*)lpEntry->nSig == nMsg)
                    return lpEntry;
            }
            continue;
        }
        if (const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, 0, 0))
            return lpEntry;
    }
    return NULL;
}

BOOL IsCtlColorMessage(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

// A handler of type TPmf, as it was stored by AFX_WND_HANDLER.
template <class TPmf>
TPmf Handler(const AFX_MSGMAP_ENTRY* lpEntry)
{
    return AfxMemberCast<TPmf>(static_cast<AFX_PMSGW>(lpEntry->pfn));
}

// Calls the handler of lpEntry with the message's parameters unpacked for its
// signature; FALSE when a reflected handler declined the message.
BOOL DispatchWindowMessage(CWnd* pWnd, const AFX_MSGMAP_ENTRY* lpEntry, UINT message, WPARAM wParam,
                           LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    // A registered message's entry keeps the address of its number where the signature
    // would be: its handler is always an ON_MESSAGE one.
    UINT_PTR nSig = lpEntry->nMessage == 0xC000 ? (UINT_PTR)AfxSig_lwl : lpEntry->nSig;
    switch (nSig)
    {
    case AfxSig_bD:
        lResult = (pWnd->*Handler<BOOL (CWnd::*)(CDC*)>(lpEntry))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_bb:
        lResult = (pWnd->*Handler<BOOL (CWnd::*)(BOOL)>(lpEntry))((BOOL)wParam);
        break;
    case AfxSig_bWww:
        lResult = (pWnd->*Handler<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(lpEntry))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_hDWw:
        // Every WM_CTLCOLORxxx: the kind of control is the message's offset.
        lResult = (LRESULT)(pWnd->*Handler<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(lpEntry))(
            CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), message - WM_CTLCOLORMSGBOX);
        break;
    case AfxSig_iwLw:
        lResult = (pWnd->*Handler<int (CWnd::*)(UINT, CListBox*, UINT)>(lpEntry))(
            LOWORD(wParam), reinterpret_cast<CListBox*>(CWnd::FromHandle((HWND)lParam)), HIWORD(wParam));
        break;
    case AfxSig_iWww:
        lResult = (pWnd->*Handler<int (CWnd::*)(CWnd*, UINT, UINT)>(lpEntry))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_is:
        lResult = (pWnd->*Handler<int (CWnd::*)(LPCREATESTRUCT)>(lpEntry))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_bs:
        lResult = (pWnd->*Handler<BOOL (CWnd::*)(LPCREATESTRUCT)>(lpEntry))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_iCOMPARE:
        lResult = (pWnd->*Handler<int (CWnd::*)(int, LPCOMPAREITEMSTRUCT)>(lpEntry))(
            (int)wParam, (LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_lwl:
        lResult = (pWnd->*Handler<LRESULT (CWnd::*)(WPARAM, LPARAM)>(lpEntry))(wParam, lParam);
        break;
    case AfxSig_vv:
        (pWnd->*Handler<void (CWnd::*)()>(lpEntry))();
        break;
    case AfxSig_vw:
        (pWnd->*Handler<void (CWnd::*)(UINT)>(lpEntry))((UINT)wParam);
        break;
    case AfxSig_vb:
        (pWnd->*Handler<void (CWnd::*)(BOOL)>(lpEntry))((BOOL)wParam);
        break;
    case AfxSig_vwWb:
        (pWnd->*Handler<void (CWnd::*)(UINT, CWnd*, BOOL)>(lpEntry))(
            LOWORD(wParam), CWnd::FromHandle((HWND)lParam), (BOOL)HIWORD(wParam));
        break;
    case AfxSig_vbh:
        (pWnd->*Handler<void (CWnd::*)(BOOL, HTASK)>(lpEntry))((BOOL)wParam, (HTASK)lParam);
        break;
    case AfxSig_vW:
        (pWnd->*Handler<void (CWnd::*)(CWnd*)>(lpEntry))(CWnd::FromHandle((HWND)wParam));
        break;
    case AfxSig_vW2:
        (pWnd->*Handler<void (CWnd::*)(CWnd*)>(lpEntry))(CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_vwp:
        (pWnd->*Handler<void (CWnd::*)(UINT, CPoint)>(lpEntry))((UINT)wParam, CPoint((DWORD)lParam));
        break;
    case AfxSig_wp:
        lResult = (pWnd->*Handler<UINT (CWnd::*)(CPoint)>(lpEntry))(CPoint((DWORD)lParam));
        break;
    case AfxSig_vwww:
        (pWnd->*Handler<void (CWnd::*)(UINT, UINT, UINT)>(lpEntry))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vbw:
        (pWnd->*Handler<void (CWnd::*)(BOOL, UINT)>(lpEntry))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vwii:
        (pWnd->*Handler<void (CWnd::*)(UINT, int, int)>(lpEntry))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vii:
        (pWnd->*Handler<void (CWnd::*)(int, int)>(lpEntry))((short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vwl:
        (pWnd->*Handler<void (CWnd::*)(UINT, LPARAM)>(lpEntry))((UINT)wParam, lParam);
        break;
    case AfxSig_vwW:
        (pWnd->*Handler<void (CWnd::*)(UINT, CWnd*)>(lpEntry))((UINT)wParam, CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_vwwh:
        (pWnd->*Handler<void (CWnd::*)(UINT, UINT, HMENU)>(lpEntry))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
        break;
    case AfxSig_vM:
        (pWnd->*Handler<void (CWnd::*)(CMenu*)>(lpEntry))(CMenu::FromHandle((HMENU)wParam));
        break;
    case AfxSig_vMwb:
        (pWnd->*Handler<void (CWnd::*)(CMenu*, UINT, BOOL)>(lpEntry))(
            CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), (BOOL)HIWORD(lParam));
        break;
    case AfxSig_vwwX:
        // Scroll bars of the window itself send no handle.
        (pWnd->*Handler<void (CWnd::*)(UINT, UINT, CScrollBar*)>(lpEntry))(
            LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle((HWND)lParam)));
        break;
    case AfxSig_bv:
        lResult = (pWnd->*Handler<BOOL (CWnd::*)()>(lpEntry))();
        break;
    case AfxSig_wv:
        lResult = (pWnd->*Handler<UINT (CWnd::*)()>(lpEntry))();
        break;
    case AfxSig_hv:
        lResult = (LRESULT)(pWnd->*Handler<HCURSOR (CWnd::*)()>(lpEntry))();
        break;
    case AfxSig_vWp:
        (pWnd->*Handler<void (CWnd::*)(CWnd*, CPoint)>(lpEntry))(CWnd::FromHandle((HWND)wParam), CPoint((DWORD)lParam));
        break;
    case AfxSig_vHDROP:
        (pWnd->*Handler<void (CWnd::*)(HDROP)>(lpEntry))((HDROP)wParam);
        break;
    case AfxSig_bHELPINFO:
        lResult = (pWnd->*Handler<BOOL (CWnd::*)(HELPINFO*)>(lpEntry))((HELPINFO*)lParam);
        break;
    case AfxSig_vbNCCALC:
        (pWnd->*Handler<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(lpEntry))((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam);
        break;
    case AfxSig_vD:
        (pWnd->*Handler<void (CWnd::*)(CDC*)>(lpEntry))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_vs:
        (pWnd->*Handler<void (CWnd::*)(LPCTSTR)>(lpEntry))((LPCTSTR)lParam);
        break;
    case AfxSig_vS:
        (pWnd->*Handler<void (CWnd::*)(LPTSTR)>(lpEntry))((LPTSTR)lParam);
        break;
    case AfxSig_vws:
        (pWnd->*Handler<void (CWnd::*)(UINT, LPCTSTR)>(lpEntry))((UINT)wParam, (LPCTSTR)lParam);
        break;
    case AfxSig_vDRAWITEM:
        (pWnd->*Handler<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(lpEntry))((int)wParam, (LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vMEASUREITEM:
        (pWnd->*Handler<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(lpEntry))((int)wParam, (LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vDELETEITEM:
        (pWnd->*Handler<void (CWnd::*)(int, LPDELETEITEMSTRUCT)>(lpEntry))((int)wParam, (LPDELETEITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vMINMAX:
        (pWnd->*Handler<void (CWnd::*)(MINMAXINFO*)>(lpEntry))((MINMAXINFO*)lParam);
        break;
    case AfxSig_vPOS:
        (pWnd->*Handler<void (CWnd::*)(WINDOWPOS*)>(lpEntry))((WINDOWPOS*)lParam);
        break;
    case AfxSig_vbWW:
        // WM_MDIACTIVATE to a child: the child deactivated, then the one activated.
        (pWnd->*Handler<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(lpEntry))(
            (HWND)lParam == pWnd->m_hWnd, CWnd::FromHandle((HWND)lParam), CWnd::FromHandle((HWND)wParam));
        break;

    // Reflected to the control: wParam and lParam are those the parent received,
    // except for colours, which come as an AFX_CTLCOLOR.
    case AfxSig_hDw:
    {
        const AFX_CTLCOLOR* pCtl = (const AFX_CTLCOLOR*)lParam;
        HBRUSH hbr = (pWnd->*Handler<HBRUSH (CWnd::*)(CDC*, UINT)>(lpEntry))(CDC::FromHandle(pCtl->hDC), pCtl->nCtlType);
        if (hbr == NULL)
            return FALSE;
        lResult = (LRESULT)hbr;
        break;
    }
    case AfxSig_vsDRAW:
        (pWnd->*Handler<void (CWnd::*)(LPDRAWITEMSTRUCT)>(lpEntry))((LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vsMEASURE:
        (pWnd->*Handler<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(lpEntry))((LPMEASUREITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vsDELETE:
        (pWnd->*Handler<void (CWnd::*)(LPDELETEITEMSTRUCT)>(lpEntry))((LPDELETEITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_isCOMPARE:
        lResult = (pWnd->*Handler<int (CWnd::*)(LPCOMPAREITEMSTRUCT)>(lpEntry))((LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_iww:
        lResult = (pWnd->*Handler<int (CWnd::*)(UINT, UINT)>(lpEntry))(LOWORD(wParam), HIWORD(wParam));
        break;
    case AfxSig_vww:
        (pWnd->*Handler<void (CWnd::*)(UINT, UINT)>(lpEntry))(LOWORD(wParam), HIWORD(wParam));
        break;

    default:
        // A command signature in a window-message entry: the map is wrong, not the input.
        ASSERT(FALSE);
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

} // namespace

// The window procedure

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    // A window whose object went without giving its procedure back.
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc() { return AfxWndProc; }

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG msgOuter = pState->m_lastSentMsg;
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = nMsg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    pState->m_lastSentMsg = msg;

    LRESULT lResult;
    try
    {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        lResult = HandleWndProcException(e, msg);
    }
    catch (const std::bad_alloc&)
    {
        try
        {
            AfxThrowMemoryException();
        }
        catch (CException* e)
        {
            lResult = HandleWndProcException(e, msg);
        }
    }
    catch (const std::exception& e)
    {
        lResult = HandleForeignException(e.what(), msg);
    }
    catch (...)
    {
        lResult = HandleForeignException("An unexpected error occurred while a window handled a message.", msg);
    }
    pState->m_lastSentMsg = msgOuter;
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    }
    else if (message == WM_NOTIFY)
    {
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
    }
    else
    {
        // The map names all the WM_CTLCOLORxxx messages WM_CTLCOLOR.
        UINT nMapMessage = IsCtlColorMessage(message) ? WM_CTLCOLOR : message;
        const AFX_MSGMAP_ENTRY* lpEntry = FindWindowMessageEntry(GetMessageMap(), nMapMessage);
        if (lpEntry == NULL || !DispatchWindowMessage(this, lpEntry, message, wParam, lParam, &lResult))
            return FALSE;
    }
    // The handler may have deleted the object: only the caller's result is touched.
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    MSG* pMsg = &AfxGetThreadState()->m_lastSentMsg;
    pMsg->time = ::GetMessageTime();
    pMsg->pt = CPoint((DWORD)::GetMessagePos());
    return pMsg;
}

// Before dispatch

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    // Only keyboard and mouse messages are dialog keys.
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST)
        && (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return IsDialogMessage(lpMsg);
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    // The same chain as GetTopLevelParent's, so that the loop's last chance for the main
    // window knows whether the walk reached it.
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = AfxGetParentOwner(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}
