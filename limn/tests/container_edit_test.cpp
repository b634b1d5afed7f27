// The text-entry container on a real window: its rich-edit child window created by the
// first layout, moved by later ones and shown and hidden with the container; characters
// typed with SendInput and focus changes announced as the notification setting says; the
// value as text and numbers; the font; and trees that hold one, which cannot be stored.
#include "limn/containers/ContainerEdit.h"
#include "limn/containers/ContainerFrame.h"
#include "limn/containers/ContainerMessages.h"
#include "limn/containers/MainContainerRecord.h"

#include "hoard/resources/Hoard.h"

#include "container_support.h"
#include "picture_support.h"
#include "framework/tests/dialog_driver.h"
#include "framework/tests/msg_log.h"

#include <climits>
#include <memory>

namespace {

// A visible top-level window of the framework, whose map reflects its controls'
// notifications back to them, as a view's does.
class CHolder : public CWnd
{
public:
    CHolder(int cx, int cy)
    {
        CreateEx(WS_EX_TOPMOST, NULL, "holder", WS_POPUP | WS_VISIBLE, 40, 40, cx, cy, NULL, NULL);
        SetForegroundWindow();
        PumpWaiting();
    }
};

// Records the messages of text entry, naming containers by name.
class CEditRecorder : public CMessageReceiver
{
public:
    void OnMessage(Message* pMsg) override
    {
        if (auto* pChar = dynamic_cast<MsgEditChar*>(pMsg))
            m_log.Add("char:" + std::string(pChar->m_pEdit->GetName()) + ":" + std::to_string((int)pChar->m_chTyped));
        else if (auto* pFocus = dynamic_cast<MsgFocusChange*>(pMsg))
            m_log.Add("focus:" + std::string(pFocus->m_pContainer->GetName()) + ":" + std::to_string(pFocus->m_bGained));
        else if (auto* pValue = dynamic_cast<MsgValueChange*>(pMsg))
            m_log.Add("value:" + std::string(pValue->m_pContainer->GetName()));
    }
    CMsgLog m_log;
};

// Where a child window lies in its parent's client area.
CRect PlaceOf(const CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    ::MapWindowPoints(NULL, ::GetParent(child.m_hWnd), (LPPOINT)&rect, 2);
    return rect;
}

// A root on a 200x150 holder, stacking a 20-pixel title and a panel 4 pixels apart; the
// panel holds the edit, 30 pixels high, below a 10-pixel strip, inside a 2-pixel frame.
class ContainerEdit : public ::testing::Test
{
protected:
    ContainerEdit() : m_holder(200, 150)
    {
        m_pRoot = new CWndContainer;
        m_pRoot->SetArrangeMethod(arrangeVertical);
        m_pRoot->SetChildGap(CSize(4, 4));
        (new CContainer(m_pRoot, arrangeNone))->SetPreferredSize(CSize(-1, 20));
        m_pPanel = new CContainer(m_pRoot, arrangeVertical);
        m_pPanel->SetFrame(new CContainerFrame(2, RGB(0, 0, 0)));
        (new CContainer(m_pPanel, arrangeNone))->SetPreferredSize(CSize(-1, 10));
        m_pEdit = new CContainerEdit(m_pPanel);
        m_pEdit->SetName("entry");
        m_pEdit->SetPreferredSize(CSize(-1, 30));
    }
    ~ContainerEdit() override
    {
        delete m_pRoot;
        m_holder.DestroyWindow();
    }

    void Attach() { m_pRoot->AttachToWindow(&m_holder); }
    void TypeInto(std::initializer_list<WORD> keys)
    {
        m_pEdit->m_edit.SetFocus();
        m_recorder.m_log.Clear();
        for (WORD wKey : keys)
            PressKey(wKey);
    }

    CHolder m_holder;
    CEditRecorder m_recorder;
    CWndContainer* m_pRoot;
    CContainer* m_pPanel;
    CContainerEdit* m_pEdit;
};

} // namespace

// The panel lies at (4, 28) and is 192 wide; the edit's place in it starts after its frame
// (2) and the strip (10). The window takes that place 1 pixel inside.
TEST_F(ContainerEdit, WindowFollowsLayout)
{
    EXPECT_EQ(nullptr, m_pEdit->m_edit.m_hWnd) << "laid out in a tree without a window";
    Attach();
    HWND hWndEdit = m_pEdit->m_edit.m_hWnd;
    ASSERT_NE(nullptr, hWndEdit) << "created by the first layout in a window";
    EXPECT_EQ(m_holder.m_hWnd, ::GetParent(hWndEdit));
    EXPECT_EQ(0, ::GetDlgCtrlID(hWndEdit));
    EXPECT_TRUE(m_pEdit->m_edit.GetStyle() & ES_WANTRETURN);
    char szClass[32] = "";
    ::GetClassNameA(hWndEdit, szClass, sizeof szClass);
    EXPECT_STREQ("RichEdit20A", szClass);
    EXPECT_TRUE(::IsWindowVisible(hWndEdit));
    EXPECT_EQ(CRect(7, 41, 193, 69), PlaceOf(m_pEdit->m_edit));
    EXPECT_EQ(CRect(0, 0, 0, 0), m_pEdit->GetBounds()) << "the container keeps empty bounds";
    EXPECT_EQ(m_pPanel, m_pPanel->ChildFromPoint(CPoint(50, 25))) << "hit tests pass the edit by";

    m_holder.MoveWindow(40, 40, 300, 150);
    m_pRoot->OnWindowSizeChange();
    EXPECT_EQ(hWndEdit, m_pEdit->m_edit.m_hWnd) << "moved, not made again";
    EXPECT_EQ(CRect(7, 41, 293, 69), PlaceOf(m_pEdit->m_edit));

    // Scrolling the panel moves the window with the rest of its contents.
    m_pPanel->SetScrollPos(CPoint(0, -5));
    m_pPanel->ArrangeChildren();
    EXPECT_EQ(CRect(7, 36, 293, 64), PlaceOf(m_pEdit->m_edit));
    m_pPanel->SetScrollPos(CPoint(0, 0));

    m_pEdit->Hide(TRUE);
    EXPECT_FALSE(::IsWindowVisible(hWndEdit)) << "hidden with the container";
    m_pEdit->Show(TRUE);
    EXPECT_TRUE(::IsWindowVisible(hWndEdit));

    // Hiding a container around it hides the window, and a layout of the hidden part of
    // the screen does not bring it back.
    m_pPanel->Hide(TRUE);
    EXPECT_FALSE(::IsWindowVisible(hWndEdit));
    m_pPanel->SetChildGap(CSize(1, 1));
    EXPECT_FALSE(::IsWindowVisible(hWndEdit)) << "laid out while the panel is hidden";
    EXPECT_EQ(CRect(8, 43, 292, 71), PlaceOf(m_pEdit->m_edit)) << "but moved";
    m_pPanel->Show(TRUE);
    EXPECT_TRUE(::IsWindowVisible(hWndEdit));

    // Destroying the container destroys its window.
    delete m_pEdit;
    EXPECT_FALSE(::IsWindow(hWndEdit));
}

// Passes every broadcast into a tree, as a screen's document does.
class CTreeForwarder : public CMessageReceiver
{
public:
    explicit CTreeForwarder(CContainer* pRoot) : m_pRoot(pRoot) {}
    void OnMessage(Message* pMsg) override { m_pRoot->BroadcastMessage(pMsg); }
    CContainer* m_pRoot;
};

// A tree laid out at its window's size before it comes into the window is not laid out
// again: the window's announcement makes the edit window at the place it has. Another
// tree's announcement does not.
TEST_F(ContainerEdit, WindowMadeWhenTheTreeComesIntoItsWindow)
{
    m_pRoot->SetBounds(CRect(0, 0, 200, 150));
    CWndContainer other;
    {
        CTreeForwarder forwarder(m_pRoot);
        MsgWindowResized(&other).Broadcast();
        EXPECT_EQ(nullptr, m_pEdit->m_edit.m_hWnd) << "another tree's window";
        Attach();
    }
    ASSERT_NE(nullptr, m_pEdit->m_edit.m_hWnd);
    EXPECT_EQ(CRect(7, 41, 193, 69), PlaceOf(m_pEdit->m_edit));
    EXPECT_TRUE(::IsWindowVisible(m_pEdit->m_edit.m_hWnd));

    // Without the announcement, as before.
    CContainerEdit* pSecond = new CContainerEdit(NULL);
    m_pRoot->AttachToWindow(NULL);
    pSecond->SetParent(m_pPanel);
    m_pRoot->AttachToWindow(&m_holder);
    EXPECT_EQ(nullptr, pSecond->m_edit.m_hWnd) << "laid out only when the tree had no window";
}

// With the initial setting only Enter is announced: no focus, no value change.
TEST_F(ContainerEdit, TypingAnnouncesEnterOnly)
{
    Attach();
    EXPECT_EQ(CEditInContainer::notifyEnter, m_pEdit->m_edit.m_nNotify);
    TypeInto({ '1', '2', VK_RETURN });
    EXPECT_TRUE(PumpUntil([&] { return !m_recorder.m_log.Entries().empty(); }));
    PumpWaiting();
    EXPECT_TRUE(m_recorder.m_log.Is({ "char:entry:13" }));
    EXPECT_EQ(12, (int)*m_pEdit);
    CString strText;
    m_pEdit->GetText(strText);
    EXPECT_EQ(0, strncmp("12", strText, 2)) << (LPCSTR)strText;

    // Focus moving away is not announced either.
    m_recorder.m_log.Clear();
    m_holder.SetFocus();
    EXPECT_TRUE(m_recorder.m_log.Is({}));
}

// With the setting 0, focus changes, every character and every value change are
// announced, each character after the control took it.
TEST_F(ContainerEdit, TypingAnnouncesEverythingWithNotifyAll)
{
    Attach();
    m_pEdit->m_edit.m_nNotify = CEditInContainer::notifyAll;
    TypeInto({ '4', '2' });
    EXPECT_TRUE(PumpUntil([&] { return m_recorder.m_log.Entries().size() >= 4; }));
    EXPECT_TRUE(m_recorder.m_log.Is({ "char:entry:52", "value:entry", "char:entry:50", "value:entry" }));
    EXPECT_EQ(42, (int)*m_pEdit);
    m_recorder.m_log.Clear();
    m_holder.SetFocus();
    EXPECT_TRUE(m_recorder.m_log.Is({ "focus:entry:0" }));
    m_recorder.m_log.Clear();
    m_pEdit->m_edit.SetFocus();
    EXPECT_TRUE(m_recorder.m_log.Is({ "focus:entry:1" }));

    // Any other value announces nothing.
    m_pEdit->m_edit.m_nNotify = 1;
    TypeInto({ '7', VK_RETURN });
    PumpUntil([&] { return (int)*m_pEdit == 427; });
    PumpWaiting();
    EXPECT_EQ(427, (int)*m_pEdit);
    EXPECT_TRUE(m_recorder.m_log.Is({}));
}

namespace {

// Destroys the container that a character was typed into, as a screen that moves on
// does.
class CDestroyOnChar : public CMessageReceiver
{
public:
    void OnMessage(Message* pMsg) override
    {
        if (auto* pChar = dynamic_cast<MsgEditChar*>(pMsg))
        {
            m_log.Add("char");
            delete pChar->m_pEdit;
        }
        else if (dynamic_cast<MsgValueChange*>(pMsg) != NULL)
        {
            m_log.Add("value");
        }
    }
    CMsgLog m_log;
};

} // namespace

TEST_F(ContainerEdit, ReceiverDestroysTheContainer)
{
    Attach();
    m_pEdit->m_edit.m_nNotify = CEditInContainer::notifyAll;
    HWND hWndEdit = m_pEdit->m_edit.m_hWnd;
    m_pEdit->m_edit.SetFocus();
    CDestroyOnChar destroyer;
    PressKey('5');
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hWndEdit); }));
    PumpWaiting();
    EXPECT_TRUE(destroyer.m_log.Is({ "char" })) << "no message names the destroyed container";
    EXPECT_EQ(1, m_pPanel->GetChildList().GetCount());
}

TEST_F(ContainerEdit, Values)
{
    Attach();
    static const struct
    {
        const char* pszText;
        int nValue;
        double dValue;
    } cases[] = {
        { "12", 12, 12 },
        { "  +42abc", 42, 42 },
        { "-3.75e1", -3, -37.5 },
        { "\t-0", 0, 0 },
        { "x12", 0, 0 },
        { "", 0, 0 },
        { "99999999999", INT_MAX, 99999999999.0 },
        { "-99999999999", INT_MIN, -99999999999.0 },
    };
    for (const auto& c : cases)
    {
        m_pEdit->SetValue(c.pszText);
        EXPECT_EQ(c.nValue, (int)*m_pEdit) << "\"" << c.pszText << "\"";
        EXPECT_EQ(c.dValue, (double)*m_pEdit) << "\"" << c.pszText << "\"";
        EXPECT_STREQ(c.pszText, (CString)*m_pEdit);
    }

    m_pEdit->SetValue(2.5);
    EXPECT_STREQ("2.500000", (CString)*m_pEdit);
    m_pEdit->SetValue(-17);
    EXPECT_STREQ("-17", (CString)*m_pEdit);
    m_pEdit->SetValue(1e20);
    EXPECT_STREQ("100000000000000000000.000000", (CString)*m_pEdit);

    // The forms a text entry does not hold answer as every control's base does.
    CContainerControl* pControl = m_pEdit;
    pControl->SetDWordValue(7);
    EXPECT_STREQ("100000000000000000000.000000", (CString)*m_pEdit);
    EXPECT_EQ(0.0, pControl->GetFloatValue());
    EXPECT_EQ(0u, pControl->GetDWordValue());
    pControl->SetValue(9);
    EXPECT_EQ(9, (int)*pControl) << "through the base's virtual operations";

    m_pEdit->SetText("hello");
    EXPECT_EQ(5, m_pEdit->GetTextLength());
    m_pEdit->SelectAll();
    long nStart = -1, nEnd = -1;
    m_pEdit->GetSelection(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(5, nEnd);
    m_pEdit->SetSelection(1, 3);
    m_pEdit->GetSelection(nStart, nEnd);
    EXPECT_EQ(1, nStart);
    EXPECT_EQ(3, nEnd);
}

// Without a window the text is not kept: reading gives nothing and leaves the string.
TEST_F(ContainerEdit, ValuesWithoutAWindow)
{
    m_pEdit->SetValue("12");
    CString strText = "unchanged";
    m_pEdit->GetText(strText);
    EXPECT_STREQ("unchanged", strText);
    EXPECT_EQ(0, (int)*m_pEdit);
    EXPECT_EQ(0, m_pEdit->GetTextLength());
    long nStart = -1, nEnd = -1;
    m_pEdit->GetSelection(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(0, nEnd);
}

namespace {

CHARFORMAT DefaultFormat(CContainerEdit* pEdit)
{
    CHARFORMAT cf = {};
    cf.cbSize = sizeof cf;
    pEdit->m_edit.GetDefaultCharFormat(cf);
    return cf;
}

} // namespace

TEST_F(ContainerEdit, Font)
{
    // Before the window exists the font is only kept; creating the window applies it.
    m_pEdit->SetFont(18, "Courier New");
    Attach();
    CHARFORMAT cf = DefaultFormat(m_pEdit);
    EXPECT_EQ(360, cf.yHeight);
    EXPECT_STREQ("Courier New", cf.szFaceName);

    m_pEdit->SetFont(20, "Arial");
    m_pEdit->SetText("text");
    cf = DefaultFormat(m_pEdit);
    EXPECT_EQ(400, cf.yHeight);
    EXPECT_STREQ("Arial", cf.szFaceName);
    m_pEdit->SelectAll();
    CHARFORMAT cfSelection = {};
    cfSelection.cbSize = sizeof cfSelection;
    m_pEdit->m_edit.GetSelectionCharFormat(cfSelection);
    EXPECT_EQ(400, cfSelection.yHeight) << "the text set keeps the font";

    // A face name longer than the format holds is cut to 31 characters.
    const char szLong[] = "A face name of well over thirty-one characters";
    m_pEdit->SetFont(10, szLong);
    cf = DefaultFormat(m_pEdit);
    EXPECT_EQ(200, cf.yHeight);
    EXPECT_EQ(std::string(szLong, 31), cf.szFaceName);

    // An empty face keeps the face there is.
    m_pEdit->SetFont(14, "");
    cf = DefaultFormat(m_pEdit);
    EXPECT_EQ(280, cf.yHeight);
    EXPECT_EQ(std::string(szLong, 31), cf.szFaceName);
}

TEST(ContainerEditFont, SizeBeforeTheFirstSetFont)
{
    CHolder holder(100, 60);
    std::unique_ptr<CWndContainer> pRoot(new CWndContainer(&holder));
    pRoot->SetArrangeMethod(arrangeVertical);
    auto* pEdit = new CContainerEdit(pRoot.get());
    ASSERT_NE(nullptr, pEdit->m_edit.m_hWnd) << "created when it joins a tree in a window";
    EXPECT_EQ(CContainerEdit::defaultFontSize * 20, DefaultFormat(pEdit).yHeight);
    pRoot.reset();
    holder.DestroyWindow();
}

// A tree that holds a text entry cannot be stored: the archive refuses the class, the
// file stays as it was and the tree stays whole.
TEST_F(ContainerEdit, TreeWithAnEditIsNotStored)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CNotSupportedException* e = Thrown<CNotSupportedException>([&] { ar << m_pRoot; });
        EXPECT_NE(nullptr, e);
        if (e != NULL)
            e->Delete();
        ar.Abort();
    }

    CScratchFolder folder;
    CString strPath = folder.Path("screen.lmd");
    CHoard hoard;
    auto* pDetached = m_pEdit;
    m_pPanel->RemoveChild(pDetached);
    CMainContainerRecord::SaveFile(strPath, m_pRoot, hoard);
    std::vector<BYTE> saved = ReadFileBytes(strPath);
    m_pPanel->AddChild(pDetached);
    EXPECT_EQ(CArchiveException::generic, CauseOf<CArchiveException>([&] {
        CMainContainerRecord::SaveFile(strPath, m_pRoot, hoard);
    }));
    EXPECT_EQ(saved, ReadFileBytes(strPath));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(folder.Path("TEMPSAVE.TMP")));
    EXPECT_EQ(2, m_pPanel->GetChildList().GetCount());
    EXPECT_EQ(m_pEdit, m_pPanel->FindSubContainer("CContainerEdit", "entry"));
}
