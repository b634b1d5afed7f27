// screendemo: an application on the framework that shows a screen document in a real
// window and plays a short script on it with real input (SendInput), printing what the
// screen announced.
//
//   screendemo DOC
//
// The screen's containers named as pictures of the document show them as choices: a
// resource container on its own announces nothing when selected, so the demo's picture
// containers are resource containers that announce their selection as plain containers
// do (MsgContainerSelected). The container named "entry" gets a text-entry container.
// The script clicks the first two cells of the picture grid, types 42 and Enter into the
// entry, and closes the window. The exit status is 0 when the screen announced exactly
// that.
#include "limn/containers/ContainerEdit.h"
#include "limn/containers/ContainerMessages.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/NamedPictures.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"

#include "ExceptionText.h"
#include "ScreenFrame.h"

#include <stdio.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const UINT_PTR nScriptTimer = 1;
const UINT nScriptStepMS = 300;

// A picture that announces its selection.
class CPictureChoice : public CResourceContainer
{
public:
    explicit CPictureChoice(CDrawableResource* pResource) : CResourceContainer(NULL, pResource) {}
    void OnSelect() override { CContainer::OnSelect(); }
    static CResourceContainer* New(CDrawableResource* pResource) { return new CPictureChoice(pResource); }
};

// A click of the left button at a point of the screen.
void ClickAt(CPoint point)
{
    ::SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

void TypeKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD wKey : keys)
    {
        for (DWORD dwFlags : { (DWORD)0, (DWORD)KEYEVENTF_KEYUP })
        {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = wKey;
            input.ki.dwFlags = dwFlags;
            inputs.push_back(input);
        }
    }
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

class CDemoFrame : public CScreenFrame
{
public:
    // The script writes what it expects the screen to announce, in order, into expected,
    // which outlives the frame.
    explicit CDemoFrame(std::vector<std::string>& expected) : m_expected(expected) {}

protected:
    afx_msg void OnTimer(UINT nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // The centre of a container, on the screen.
    CPoint ScreenCentre(CContainer* pContainer);

    std::vector<std::string>& m_expected;
    int m_nStep = 0;
};

BEGIN_MESSAGE_MAP(CDemoFrame, CScreenFrame)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CPoint CDemoFrame::ScreenCentre(CContainer* pContainer)
{
    CRect rect;
    pContainer->GetClientRect(&rect);
    pContainer->ClientToWindow(&rect);
    CPoint point = rect.CenterPoint();
    ClientToScreen(&point);
    return point;
}

void CDemoFrame::OnTimer(UINT)
{
    CWndContainer* pRoot = GetRoot();
    const int nStep = m_nStep++;
    CContainer* pRow = pRoot->FindSubContainer(NULL, "row 1");
    if ((nStep == 0 || nStep == 1) && pRow != NULL && pRow->GetChildList().GetCount() > nStep)
    {
        CContainer* pCell = pRow->GetChildList().GetAt(pRow->GetChildList().FindIndex(nStep));
        printf("click on \"%s\"\n", (LPCSTR)pCell->GetName());
        m_expected.push_back("selected \"" + std::string(pCell->GetName()) + "\"");
        ClickAt(ScreenCentre(pCell));
    }
    else if (nStep == 2)
    {
        if (auto* pEdit = static_cast<CContainerEdit*>(pRoot->FindSubContainer("CContainerEdit", NULL)))
        {
            printf("type 42 and Enter into \"%s\"\n", (LPCSTR)pEdit->GetName());
            m_expected.push_back("typed Enter in \"" + std::string(pEdit->GetName()) + "\", which holds 42");
            pEdit->m_edit.SetFocus();
            TypeKeys({ '4', '2', VK_RETURN });
        }
    }
    else if (nStep > 2)
    {
        KillTimer(nScriptTimer);
        PostMessage(WM_CLOSE);
    }
    fflush(stdout);
}

class CDemoApp : public CWinApp, public CMessageReceiver
{
public:
    CDemoApp() : CWinApp("Screen Demo") {}

    BOOL InitInstance() override;
    int ExitInstance() override;
    void OnMessage(Message* pMsg) override;

private:
    void Announced(const std::string& strWhat)
    {
        printf("  the screen announced: %s\n", strWhat.c_str());
        fflush(stdout);
        m_announced.push_back(strWhat);
    }

    CHoard m_hoard;
    std::unique_ptr<CWndContainer> m_pRoot;
    std::vector<std::string> m_expected;
    std::vector<std::string> m_announced;
    BOOL m_bLoaded = FALSE;
};

BOOL CDemoApp::InitInstance()
{
    if (__argc != 2)
    {
        fputs("usage: screendemo DOC\n", stderr);
        return FALSE;
    }
    CResourceClass::InitResourceClasses();
    try
    {
        m_pRoot.reset(CMainContainerRecord::LoadFile(__argv[1], m_hoard));
    }
    catch (CException* e)
    {
        fprintf(stderr, "screendemo: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
        return FALSE;
    }
    if (m_pRoot == NULL)
    {
        fprintf(stderr, "screendemo: %s holds no screen\n", __argv[1]);
        return FALSE;
    }
    m_bLoaded = TRUE;
    int nPictures = ShowNamedPictures(m_pRoot.get(), m_hoard, CPictureChoice::New);
    printf("%d containers show pictures of the document\n", nPictures);

    auto* pFrame = new CDemoFrame(m_expected);
    if (!pFrame->Create("Screen Demo", m_pRoot->GetBounds().Size(), m_pRoot.get()))
        return FALSE;
    // Linked once the tree is in its window, whose child the edit window is: the entry's
    // layout makes it at once.
    if (CContainer* pEntry = m_pRoot->FindSubContainer(NULL, "entry"))
    {
        auto* pEdit = new CContainerEdit(pEntry);
        pEdit->SetName("entry");
        pEdit->SetFont(16, "Arial");
    }
    m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    pFrame->SetForegroundWindow();
    pFrame->SetTimer(nScriptTimer, nScriptStepMS, NULL);
    return TRUE;
}

void CDemoApp::OnMessage(Message* pMsg)
{
    if (auto* pSelected = dynamic_cast<MsgContainerSelected*>(pMsg))
    {
        Announced("selected \"" + std::string(pSelected->m_pContainer->GetName()) + "\"");
    }
    else if (auto* pChar = dynamic_cast<MsgEditChar*>(pMsg))
    {
        CString strText = *pChar->m_pEdit;
        printf("  (the entry's text: \"%s\")\n", (LPCSTR)strText);
        Announced("typed " + std::string(pChar->m_chTyped == '\r' ? "Enter" : "a character") + " in \"" +
                  std::string(pChar->m_pEdit->GetName()) + "\", which holds " + std::to_string((int)*pChar->m_pEdit));
    }
}

int CDemoApp::ExitInstance()
{
    CWinApp::ExitInstance();
    if (!m_bLoaded)
        return 1;
    m_pRoot.reset();
    if (m_announced != m_expected || m_expected.size() != 3)
    {
        fprintf(stderr, "screendemo: the screen did not announce what the script did\n");
        return 1;
    }
    printf("the screen announced what the script did\n");
    return 0;
}

CDemoApp theApp;

} // namespace
