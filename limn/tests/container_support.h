// Shared by the container tests: a container that records the calls it receives and
// opens its protected fields, a comparison of call sequences in Wine's manner, and a
// real window that passes its mouse messages to a tree as CEventState events and paints
// the tree, as a view does.
#pragma once

#include "limn/canvas/Canvas.h"
#include "limn/containers/Container.h"
#include "limn/containers/ContainerWatch.h"
#include "limn/containers/WndContainer.h"

#include <gtest/gtest.h>

#include "framework/tests/dib_surface.h"

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

typedef std::vector<std::string> CallLog;

// Records "name:Call(arguments)" into a log, then behaves as a CContainer; an action set
// for a call runs at its end.
class CProbe : public CContainer
{
public:
    CProbe(CContainer* pParent, const char* pszName, ArrangeMethod method = arrangeNone, CallLog* pLog = NULL)
        : CContainer(pParent, method), m_pLog(pLog)
    {
        SetName(pszName);
    }
    ~CProbe() override { Record("Destroy"); }
    // A destroyed probe's memory is filled with a pattern and kept until the tests end, so
    // that any use of a probe after its destruction fails at once.
    static void* operator new(size_t nSize);
    static void operator delete(void* p, size_t nSize);

    using CContainer::m_bFixedAlongAxis;
    using CContainer::m_bSortChildren;
    using CContainer::m_nState;
    using CContainer::m_sizeChildGap;
    using CContainer::m_sizeMinimum;
    using CContainer::m_sizePreferred;
    using CContainer::m_sizeStep;

    static CContainer* MouseCapture() { return m_pMouseCapture; }
    static CContainer* KeyCapture() { return m_pKeyCapture; }
    static CContainer* LastEntered() { return m_pLastEntered; }
    static CContainer*& MouseEntered() { return m_pMouseEntered; }

    void OnMouseEnter(CPoint point, const CEventState& state) override
    {
        Record("Enter", point);
        Finish("Enter", [&] { CContainer::OnMouseEnter(point, state); });
    }
    void OnMouseMove(CPoint point, const CEventState& state) override
    {
        if (m_bRecordMoves)
            Record("Move", point);
        Finish("Move", [&] { CContainer::OnMouseMove(point, state); });
    }
    void OnMouseExit(const CContainer* pNewReceiver, const CEventState& state) override
    {
        Record("Exit(" + std::string(pNewReceiver != NULL ? (const char*)pNewReceiver->GetName() : "null") + ")");
        Finish("Exit", [&] { CContainer::OnMouseExit(pNewReceiver, state); });
    }
    void OnLButtonDown(CPoint point, const CEventState& state) override
    {
        Record("LDown", point);
        CContainer::OnLButtonDown(point, state);
    }
    void OnLButtonDblClk(CPoint point, const CEventState& state) override
    {
        Record("LDbl", point);
        CContainer::OnLButtonDblClk(point, state);
    }
    void OnLButtonUp(CPoint point, const CEventState& state) override
    {
        Record("LUp", point);
        CContainer::OnLButtonUp(point, state);
    }
    void OnRButtonDown(CPoint point, const CEventState& state) override
    {
        Record("RDown", point);
        CContainer::OnRButtonDown(point, state);
    }
    void OnRButtonUp(CPoint point, const CEventState& state) override
    {
        Record("RUp", point);
        CContainer::OnRButtonUp(point, state);
    }
    void OnSelect() override
    {
        Record("Select");
        CContainer::OnSelect();
    }
    void OnShow() override
    {
        Record("Show");
        Finish("Show", [&] { CContainer::OnShow(); });
    }
    void OnHide() override
    {
        Record("Hide");
        Finish("Hide", [&] { CContainer::OnHide(); });
    }
    void OnMessage(Message* pMsg) override
    {
        Record("Message");
        Finish("Message", [&] { CContainer::OnMessage(pMsg); });
    }
    void OnIdle(DWORD dwNow) override
    {
        Record("Idle(" + std::to_string(dwNow) + ")");
        After("Idle");
    }
    void OnActivate(int bActive) override
    {
        Record("Activate(" + std::to_string(bActive) + ")");
        Finish("Activate", [&] { CContainer::OnActivate(bActive); });
    }
    void OnScrollExtentChanged() override
    {
        Record("ExtentChanged");
        After("ExtentChanged");
    }
    // Not recorded: layouts set bounds often.
    void SetBounds(const CRect& rect) override
    {
        Finish("SetBounds", [&] { CContainer::SetBounds(rect); });
    }
    void ArrangeChildren() override
    {
        ++m_nArranged;
        CContainer::ArrangeChildren();
    }
    using CContainer::Invalidate;
    void Invalidate() override
    {
        ++m_nInvalidated;
        CContainer::Invalidate();
    }

    CallLog* m_pLog;
    // Actions by call name ("Idle", "Exit", "Draw"): each runs when the call has done its
    // own work, and may destroy this probe.
    std::map<std::string, std::function<void()>> m_after;
    BOOL m_bRecordMoves = TRUE;
    int m_nArranged = 0;
    int m_nInvalidated = 0;
    int m_nDrawn = 0;   // DrawContents calls
    // The fill drawn while pressed, when set.
    COLORREF m_crPressed = CLR_INVALID;

protected:
    void DrawContents(CCanvas& canvas) override
    {
        ++m_nDrawn;
        if (m_nState == statePressed && m_crPressed != CLR_INVALID)
        {
            CRect rect;
            GetClientRect(&rect);
            canvas.SetBrush(m_crPressed, FALSE);
            canvas.FillRectangle(rect);
        }
        After("Draw");
    }

private:
    // The container's own part of a call, then the action set for it, unless that part
    // destroyed this probe (through the actions of others).
    void Finish(const char* pszCall, const std::function<void()>& ownPart)
    {
        CContainerWatch watchThis(this);
        ownPart();
        if (watchThis.Get() != NULL)
            After(pszCall);
    }
    // A copy runs: the action may destroy this probe and its table.
    void After(const char* pszCall)
    {
        auto it = m_after.find(pszCall);
        if (it == m_after.end())
            return;
        std::function<void()> action = it->second;
        action();
    }
    void Record(const std::string& strCall)
    {
        if (m_pLog != NULL)
            m_pLog->push_back(std::string(GetName()) + ":" + strCall);
    }
    void Record(const char* pszCall, CPoint point)
    {
        Record(std::string(pszCall) + "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")");
    }
};

// Compares a recorded sequence with the expected one and prints both when they differ.
inline ::testing::AssertionResult SequenceIs(const CallLog& expected, const CallLog& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << "expected:";
    for (const std::string& s : expected)
        out << "\n  " << s;
    out << "\nactual:";
    for (const std::string& s : actual)
        out << "\n  " << s;
    return ::testing::AssertionFailure() << out.str();
}

// A top-level window at a given place on the screen whose client area shows a tree: its
// mouse messages go to the root as events, and WM_PAINT draws the tree through a canvas
// on the paint context. Exceptions stop at the window procedure.
class CTreeWindow
{
public:
    CTreeWindow(int x, int y, int cx, int cy);
    ~CTreeWindow();
    CTreeWindow(const CTreeWindow&) = delete;
    CTreeWindow& operator=(const CTreeWindow&) = delete;

    HWND Handle() const { return m_wnd.m_hWnd; }
    // The screen point of a point of the client area.
    CPoint ToScreen(CPoint point) const;
    // The colour of a pixel of the window's client area, read from its device context.
    COLORREF PixelAt(int x, int y) const;

    // Runs the root's scanning clock on a real timer of 100 ms, as a view does.
    void StartScanningTimer();
    // Handles messages until the timer has ticked n more times. Only these ticks reach
    // the root, so that a test counts them exactly.
    void AwaitTicks(int n);

    CWnd m_wnd;
    CWndContainer* m_pRoot = NULL;     // not owned
    int m_nTicks = 0;
    int m_nTicksAllowed = 0;
    // The keys pressed (WM_KEYDOWN) and mouse buttons pressed that reached the window,
    // as message and key or zero.
    std::vector<std::pair<UINT, WPARAM>> m_input;
    int m_nPaints = 0;
    CRect m_rectLastPaint;
    int m_nExceptions = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam);
};

// Real input, delivered before returning.
void PumpMessages();
void MoveCursorTo(CPoint pointScreen);
void PressLeft();
void ReleaseLeft();
void PressRight();
void ReleaseRight();
// Waits out the double-click time, so that the next press is a single one.
void AwaitSingleClick();
