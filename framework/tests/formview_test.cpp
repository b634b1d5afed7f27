// Form views in a single-document program: the template as the frame's view, its
// controls loaded from the document's values and saved back through data exchange,
// typed into with real keys (Tab between the fields, the frame's accelerator still
// reaching its command), validation, scrolling a form larger than its window, and
// templates that cannot be a view.
#include "view_program.h"

namespace {

class CPersonDoc : public CDocument
{
    DECLARE_DYNCREATE(CPersonDoc)
public:
    CString m_strName = "Ada";
    int m_nCount = 7;
};

IMPLEMENT_DYNCREATE(CPersonDoc, CDocument)

class CPersonForm : public CFormView
{
    DECLARE_DYNCREATE(CPersonForm)
public:
    CPersonForm() : CFormView(IDD_NAMEFORM) {}

    CString m_strName;
    int m_nCount = 0;
    int m_nLoud = 1;
    int m_nMarks = 0;       // ID_VIEWS_MARK commands received

    void OnInitialUpdate() override
    {
        auto* pDoc = static_cast<CPersonDoc*>(GetDocument());
        m_strName = pDoc->m_strName;
        m_nCount = pDoc->m_nCount;
        CFormView::OnInitialUpdate();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_FORMNAME, m_strName);
        DDX_Text(pDX, IDC_FORMCOUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 99);
        DDX_Check(pDX, IDC_FORMLOUD, m_nLoud);
    }
    afx_msg void OnMark() { m_nMarks++; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CPersonForm, CFormView)

BEGIN_MESSAGE_MAP(CPersonForm, CFormView)
    ON_COMMAND(ID_VIEWS_MARK, OnMark)
END_MESSAGE_MAP()

// Forms whose objects count their deletion.
class CCountedForm : public CFormView
{
public:
    explicit CCountedForm(UINT nIDTemplate) : CFormView(nIDTemplate) {}
    ~CCountedForm() override { s_nDeleted++; }
    static inline int s_nDeleted = 0;
};

std::string ItemText(CWnd* pWnd, int nID)
{
    CString str;
    pWnd->GetDlgItemText(nID, str);
    return (LPCSTR)str;
}

bool FocusIs(CWnd* pForm, int nID)
{
    return PumpFrameworkUntil([&] { return GetFocus() == pForm->GetDlgItem(nID)->GetSafeHwnd(); });
}

} // namespace

TEST(FormView, TheTemplateIsTheViewAndExchangesItsData)
{
    CViewProgram program(RUNTIME_CLASS(CPersonDoc), RUNTIME_CLASS(CPersonForm));
    auto* pForm = dynamic_cast<CPersonForm*>(program.View());
    ASSERT_NE(nullptr, pForm);
    auto* pDoc = dynamic_cast<CPersonDoc*>(program.Doc());
    ASSERT_NE(nullptr, pDoc);

    // The frame's pane, in the document, loaded from the members.
    EXPECT_EQ(AFX_IDW_PANE_FIRST, pForm->GetDlgCtrlID());
    EXPECT_EQ(program.m_pFrame->m_hWnd, ::GetParent(pForm->m_hWnd));
    EXPECT_TRUE(pForm->GetStyle() & WS_CHILD);
    EXPECT_TRUE(pForm->GetExStyle() & WS_EX_CLIENTEDGE);
    POSITION pos = pDoc->GetFirstViewPosition();
    EXPECT_EQ(pForm, pDoc->GetNextView(pos));
    EXPECT_EQ("Ada", ItemText(pForm, IDC_FORMNAME));
    EXPECT_EQ("7", ItemText(pForm, IDC_FORMCOUNT));
    EXPECT_EQ(BST_CHECKED, pForm->IsDlgButtonChecked(IDC_FORMLOUD));

    // Real keys: the focus starts in the first field, Tab goes on to the next, which
    // then holds its whole text selected, and the check box takes Space.
    ASSERT_TRUE(FocusIs(pForm, IDC_FORMNAME));
    pForm->SendDlgItemMessage(IDC_FORMNAME, EM_SETSEL, 0, -1);
    TypeText("Bea");
    PressKey(VK_TAB);
    ASSERT_TRUE(FocusIs(pForm, IDC_FORMCOUNT));
    TypeText("12");
    PressKey(VK_TAB);
    ASSERT_TRUE(FocusIs(pForm, IDC_FORMLOUD));
    PressKey(VK_SPACE);
    // The frame's accelerator, with the focus in the form.
    PressCtrlKey('K');
    EXPECT_TRUE(PumpFrameworkUntil([&] { return pForm->m_nMarks == 1; })) << "Ctrl+K reached the command";
    PumpFrameworkUntil([&] { return pForm->IsDlgButtonChecked(IDC_FORMLOUD) == BST_UNCHECKED; });

    EXPECT_TRUE(pForm->UpdateData(TRUE));
    EXPECT_STREQ("Bea", pForm->m_strName);
    EXPECT_EQ(12, pForm->m_nCount);
    EXPECT_EQ(0, pForm->m_nLoud);

    // A value out of range: the user is told and the field gets the focus.
    pForm->SetDlgItemText(IDC_FORMCOUNT, "500");
    std::string strBox;
    CDialogDriver driver;
    driver.Then("the message box", DismissMessageBox(strBox));
    driver.Start();
    EXPECT_FALSE(pForm->UpdateData(TRUE));
    driver.Stop();
    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(strBox.empty());
    EXPECT_TRUE(FocusIs(pForm, IDC_FORMCOUNT));

    // Another window comes to the front and goes: the focus returns to the same field.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "Other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL));
    other.SetForegroundWindow();
    ASSERT_TRUE(PumpFrameworkUntil([&] { return GetFocus() == other.m_hWnd; }));
    other.DestroyWindow();
    program.m_pFrame->SetForegroundWindow();
    EXPECT_TRUE(FocusIs(pForm, IDC_FORMCOUNT));
}

TEST(FormView, ALargerFormScrollsItsControls)
{
    CViewProgram program(RUNTIME_CLASS(CPersonDoc), RUNTIME_CLASS(CPersonForm), CSize(200, 120));
    auto* pForm = dynamic_cast<CPersonForm*>(program.View());
    ASSERT_NE(nullptr, pForm);

    // The template's size in pixels is the size of what scrolls.
    CRect rectTemplate(0, 0, 300, 200);
    ::MapDialogRect(pForm->m_hWnd, &rectTemplate);
    EXPECT_EQ(rectTemplate.Size(), pForm->GetTotalSize());
    BOOL bHorz, bVert;
    pForm->CheckScrollBars(bHorz, bVert);
    EXPECT_TRUE(bHorz && bVert);

    auto placeOf = [&](int nID) {
        CRect rect;
        pForm->GetDlgItem(nID)->GetWindowRect(&rect);
        pForm->ScreenToClient(&rect);
        return rect.TopLeft();
    };
    CPoint ptBefore = placeOf(IDC_FORMCOUNT);
    pForm->ScrollToPosition(CPoint(30, 20));
    EXPECT_EQ(ptBefore - CSize(30, 20), placeOf(IDC_FORMCOUNT));
    pForm->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0));
    EXPECT_EQ(ptBefore - CSize(30, 0), placeOf(IDC_FORMCOUNT));

    // Large enough, the form shows whole and the bars go.
    program.SetClientSize(rectTemplate.Size() + CSize(10, 10));
    pForm->CheckScrollBars(bHorz, bVert);
    EXPECT_FALSE(bHorz || bVert);
    EXPECT_EQ(ptBefore, placeOf(IDC_FORMCOUNT));
}

TEST(FormView, TemplatesThatCannotBeAViewAreRefused)
{
    CReleaseCheck check;
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "Forms"));
    CCountedForm::s_nDeleted = 0;
    for (UINT nIDTemplate : { (UINT)IDD_POPUPFORM, 9999u })
    {
        SCOPED_TRACE(nIDTemplate);
        auto* pForm = new CCountedForm(nIDTemplate);
        EXPECT_FALSE(pForm->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), pFrame,
                                   AFX_IDW_PANE_FIRST, NULL));
        EXPECT_EQ(NULL, ::GetDlgItem(pFrame->m_hWnd, AFX_IDW_PANE_FIRST));
    }
    EXPECT_EQ(2, CCountedForm::s_nDeleted) << "a view that fails deletes itself";
    pFrame->DestroyWindow();
}
