// The test window of the container tests and real mouse input through SendInput.
#include "container_support.h"

namespace {

const char szTreeWindowClass[] = "LimnTreeTestWindow";

void SendMouse(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof input);
    PumpMessages();
}

CEventState EventStateNow()
{
    return CEventState(::GetTickCount(), CPoint((DWORD)::GetMessagePos()), ::GetAsyncKeyState(VK_SHIFT),
                       ::GetAsyncKeyState(VK_CONTROL), ::GetAsyncKeyState(VK_MENU));
}

// The memory of destroyed probes, freed when the tests end.
class CQuarantine
{
public:
    CQuarantine() = default;
    ~CQuarantine()
    {
        for (void* p : m_blocks)
            ::operator delete(p);
    }
    CQuarantine(const CQuarantine&) = delete;
    CQuarantine& operator=(const CQuarantine&) = delete;
    void Keep(void* p) { m_blocks.push_back(p); }

private:
    std::vector<void*> m_blocks;
};

} // namespace

void* CProbe::operator new(size_t nSize) { return ::operator new(nSize); }

void CProbe::operator delete(void* p, size_t nSize)
{
    static CQuarantine quarantine;
    memset(p, 0xDD, nSize);
    quarantine.Keep(p);
}

CTreeWindow::CTreeWindow(int x, int y, int cx, int cy)
{
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = szTreeWindowClass;
    ::RegisterClassA(&wc);   // fails harmlessly when registered already
    HWND hWnd = ::CreateWindowExA(WS_EX_TOPMOST, szTreeWindowClass, "tree", WS_POPUP | WS_VISIBLE, x, y, cx, cy,
                                  NULL, NULL, wc.hInstance, NULL);
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)this);
    m_wnd.Attach(hWnd);
    ::SetForegroundWindow(hWnd);
    ::UpdateWindow(hWnd);
    PumpMessages();
}

CTreeWindow::~CTreeWindow()
{
    ::SetWindowLongPtrA(m_wnd.m_hWnd, GWLP_USERDATA, 0);
    m_wnd.DestroyWindow();
    PumpMessages();
}

CPoint CTreeWindow::ToScreen(CPoint point) const
{
    m_wnd.ClientToScreen(&point);
    return point;
}

COLORREF CTreeWindow::PixelAt(int x, int y) const
{
    HDC hDC = ::GetDC(m_wnd.m_hWnd);
    COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(m_wnd.m_hWnd, hDC);
    return cr;
}

LRESULT CALLBACK CTreeWindow::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    auto* pWindow = (CTreeWindow*)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (pWindow != NULL)
    {
        try
        {
            return pWindow->OnMessage(nMsg, wParam, lParam);
        }
        catch (CException* e)
        {
            e->Delete();
            ++pWindow->m_nExceptions;
        }
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

LRESULT CTreeWindow::OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // The view's mouse handlers: each message goes to the root's handler of its name.
    static const struct
    {
        UINT nMsg;
        void (CContainer::*pfnHandler)(CPoint, const CEventState&);
    } mouseHandlers[] = {
        { WM_MOUSEMOVE, &CContainer::OnMouseMove },         { WM_LBUTTONDOWN, &CContainer::OnLButtonDown },
        { WM_LBUTTONUP, &CContainer::OnLButtonUp },         { WM_LBUTTONDBLCLK, &CContainer::OnLButtonDblClk },
        { WM_RBUTTONDOWN, &CContainer::OnRButtonDown },     { WM_RBUTTONUP, &CContainer::OnRButtonUp },
        { WM_RBUTTONDBLCLK, &CContainer::OnRButtonDblClk },
    };
    if (nMsg == WM_KEYDOWN)
        m_input.emplace_back(nMsg, wParam);
    else if (nMsg == WM_LBUTTONDOWN || nMsg == WM_RBUTTONDOWN)
        m_input.emplace_back(nMsg, 0);
    for (const auto& handler : mouseHandlers)
    {
        if (handler.nMsg == nMsg && m_pRoot != NULL)
        {
            (m_pRoot->*handler.pfnHandler)(CPoint((DWORD)lParam), EventStateNow());
            return 0;
        }
    }
    switch (nMsg)
    {
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (m_nTicksAllowed > 0)
        {
            --m_nTicksAllowed;
            ++m_nTicks;
            if (m_pRoot != NULL)
                m_pRoot->OnTimer((UINT)wParam);
        }
        return 0;
    case WM_PAINT:
    {
        CPaintDC dc(&m_wnd);
        ++m_nPaints;
        m_rectLastPaint = dc.m_ps.rcPaint;
        if (m_pRoot != NULL)
        {
            CCanvas canvas(&dc);
            CRect rectClient;
            m_wnd.GetClientRect(&rectClient);
            canvas.SetBounds(rectClient);
            m_pRoot->Draw(canvas);
        }
        return 0;
    }
    }
    return ::DefWindowProcA(m_wnd.m_hWnd, nMsg, wParam, lParam);
}

void CTreeWindow::StartScanningTimer() { ::SetTimer(m_wnd.m_hWnd, 1, 100, NULL); }

void CTreeWindow::AwaitTicks(int n)
{
    int nTarget = m_nTicks + n;
    m_nTicksAllowed = n;
    while (m_nTicks < nTarget)
    {
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 200, QS_ALLINPUT);
        PumpMessages();
    }
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void MoveCursorTo(CPoint pointScreen)
{
    ::SetCursorPos(pointScreen.x, pointScreen.y);
    PumpMessages();
}

void PressLeft() { SendMouse(MOUSEEVENTF_LEFTDOWN); }

void ReleaseLeft() { SendMouse(MOUSEEVENTF_LEFTUP); }

void PressRight() { SendMouse(MOUSEEVENTF_RIGHTDOWN); }

void ReleaseRight() { SendMouse(MOUSEEVENTF_RIGHTUP); }

void AwaitSingleClick()
{
    ::Sleep(::GetDoubleClickTime() + 50);
    PumpMessages();
}
