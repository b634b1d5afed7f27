// Helpers of the window tests: a log of what windows and handlers saw, compared in
// Wine's manner with the expected sequence (entries starting with '?' may be missing),
// a check that a test released every window and object it made, and a message pump
// that waits for a condition.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

// The name of a message the tests look at, else its number.
inline std::string MsgName(UINT message)
{
    static const struct
    {
        UINT message;
        const char* name;
    } names[] = {
        { WM_CREATE, "WM_CREATE" }, { WM_DESTROY, "WM_DESTROY" }, { WM_MOVE, "WM_MOVE" },
        { WM_SIZE, "WM_SIZE" }, { WM_ACTIVATE, "WM_ACTIVATE" }, { WM_SETFOCUS, "WM_SETFOCUS" },
        { WM_KILLFOCUS, "WM_KILLFOCUS" }, { WM_ENABLE, "WM_ENABLE" }, { WM_SETTEXT, "WM_SETTEXT" },
        { WM_PAINT, "WM_PAINT" }, { WM_CLOSE, "WM_CLOSE" }, { WM_ERASEBKGND, "WM_ERASEBKGND" },
        { WM_SHOWWINDOW, "WM_SHOWWINDOW" }, { WM_ACTIVATEAPP, "WM_ACTIVATEAPP" },
        { WM_GETMINMAXINFO, "WM_GETMINMAXINFO" }, { WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING" },
        { WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED" }, { WM_NCCREATE, "WM_NCCREATE" },
        { WM_NCDESTROY, "WM_NCDESTROY" }, { WM_NCCALCSIZE, "WM_NCCALCSIZE" },
        { WM_NCACTIVATE, "WM_NCACTIVATE" }, { WM_KEYDOWN, "WM_KEYDOWN" }, { WM_KEYUP, "WM_KEYUP" },
        { WM_CHAR, "WM_CHAR" }, { WM_COMMAND, "WM_COMMAND" }, { WM_TIMER, "WM_TIMER" },
        { WM_PARENTNOTIFY, "WM_PARENTNOTIFY" }, { WM_DRAWITEM, "WM_DRAWITEM" },
        { WM_NOTIFY, "WM_NOTIFY" }, { WM_LBUTTONDOWN, "WM_LBUTTONDOWN" }, { WM_LBUTTONUP, "WM_LBUTTONUP" },
        { WM_USER, "WM_USER" },
    };
    for (const auto& n : names)
    {
        if (n.message == message)
            return n.name;
    }
    char sz[16];
    snprintf(sz, sizeof sz, "0x%04x", message);
    return sz;
}

class CMsgLog
{
public:
    void Add(const std::string& strEntry) { m_entries.push_back(strEntry); }
    void AddMessage(const char* pszWho, UINT message) { Add(std::string(pszWho) + ":" + MsgName(message)); }
    void Clear() { m_entries.clear(); }
    const std::vector<std::string>& Entries() const { return m_entries; }

    // The entries in order; expected entries starting with '?' may be absent.
    ::testing::AssertionResult Is(std::initializer_list<const char*> expected) const
    {
        size_t nActual = 0;
        bool bMatch = true;
        for (const char* psz : expected)
        {
            bool bOptional = psz[0] == '?';
            std::string strExpected = bOptional ? psz + 1 : psz;
            if (nActual < m_entries.size() && m_entries[nActual] == strExpected)
                nActual++;
            else if (!bOptional)
                bMatch = false;
        }
        if (bMatch && nActual == m_entries.size())
            return ::testing::AssertionSuccess();
        std::string strReport = "\n  expected:";
        for (const char* psz : expected)
            strReport += std::string(" ") + psz;
        strReport += "\n  actual:  ";
        for (const std::string& str : m_entries)
            strReport += " " + str;
        return ::testing::AssertionFailure() << strReport;
    }

    // Only the entries that start with strPrefix, in order.
    CMsgLog Only(const std::string& strPrefix) const
    {
        CMsgLog log;
        for (const std::string& str : m_entries)
        {
            if (str.compare(0, strPrefix.size(), strPrefix) == 0)
                log.Add(str);
        }
        return log;
    }

private:
    std::vector<std::string> m_entries;
};

// Dispatches the thread's messages until done() holds or about two seconds passed;
// done() at the end.
inline bool PumpUntil(const std::function<bool()>& done)
{
    DWORD dwStart = GetTickCount();
    while (!done() && GetTickCount() - dwStart < 2000)
    {
        MSG msg;
        if (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        else
        {
            MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        }
    }
    return done();
}

// Dispatches what is waiting, without waiting for more.
inline void PumpWaiting()
{
    MSG msg;
    while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

inline BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*(int*)lParam;
    return TRUE;
}

// The top-level windows of the calling thread.
inline int ThreadWindowCount()
{
    int nCount = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, (LPARAM)&nCount);
    return nCount;
}

// Checks at the end of a test that it left no window, no bound object and no heap
// block behind: the temporary objects are freed first, as idle time would.
class CReleaseCheck
{
public:
    CReleaseCheck()
    {
        // GoogleTest keeps the storage of its traces (nested three deep here), and the
        // C++ runtime that of the thread's first exception, for good.
        {
            SCOPED_TRACE("");
            SCOPED_TRACE("");
            SCOPED_TRACE("");
        }
        try
        {
            throw 0;
        }
        catch (int)
        {
        }
        // The framework keeps the application's name once a message box asked for it.
        AfxGetAppName();
        AfxLockTempMaps();
        AfxUnlockTempMaps();
        m_nWindows = ThreadWindowCount();
        m_nHeap = HeapInUse();
    }
    ~CReleaseCheck()
    {
        PumpWaiting();
        AfxLockTempMaps();
        AfxUnlockTempMaps();
        EXPECT_EQ(m_nWindows, ThreadWindowCount()) << "windows left behind";
        EXPECT_EQ(m_nHeap, HeapInUse()) << "heap blocks left behind";
    }
    CReleaseCheck(const CReleaseCheck&) = delete;
    CReleaseCheck& operator=(const CReleaseCheck&) = delete;

private:
    int m_nWindows;
    size_t m_nHeap;
};
