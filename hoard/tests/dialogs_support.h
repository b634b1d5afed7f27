// Shared by the tests of the resource dialogs: a resource type with six commands whose
// overrides record what reaches them, an application that answers message boxes, and
// keys pressed with Ctrl.
#pragma once

#include "test_support.h"

#include "framework/tests/dialog_driver.h"
#include "hoard/dialogs/EditResDlg.h"
#include "hoard/res/resource.h"
#include "hoard/resources/EditProxy.h"

#include <string>
#include <vector>

// A resource whose class has six commands ("One" to "Six"), previews, and can convert
// what is on the clipboard as s_clipboard says.
class CGadget : public CResource
{
    DECLARE_DYNCREATE(CGadget)
public:
    CResourceClass* GetResourceClass() override;
    BOOL OnNew() override;
    void OnPaste() override;
    void OnDoubleClick() override;
    void OnCopy() override;
    void DrawPreview(CDC* pDC, CWnd* pWnd, const CRect& rect) override;

    // What reached the overrides, one line each ("copy Bell", "preview Bell 10,20,30,40").
    static std::vector<std::string> s_calls;
    static BOOL s_bRefuseNew;
    static ClipboardResult s_clipboard;
    // Command 1 is unavailable; what the class's OnCommand does with the proxy.
    static std::function<void(WORD, CResource*, CEditProxy&)> s_onCommand;
    // The colour DrawPreview fills its rectangle with.
    static constexpr COLORREF crPreview = RGB(200, 40, 90);

    static void Reset();
};

// The application of a test: message boxes are answered here, without a window.
class CDialogsApp : public CWinApp
{
public:
    CDialogsApp() : CWinApp("Dialogs Test") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override
    {
        m_boxes.push_back(lpszPrompt);
        m_boxTypes.push_back(nType);
        return m_nAnswer;
    }

    std::vector<std::string> m_boxes;
    std::vector<UINT> m_boxTypes;
    int m_nAnswer = IDOK;
};

// The display names of the tests' types: "Gadget", "Gadgets".
void MapGadgetNames();

// A list editor whose list is set and read as a user would.
class CTestEditor : public CEditResDlg
{
public:
    CTestEditor(CHoard& hoard, const char* pszType, BOOL bPreview, BOOL bPasteOnShow)
        : CEditResDlg(hoard, pszType, bPreview, bPasteOnShow)
    {
    }

    void Select(std::initializer_list<const char*> names)
    {
        m_list.SetSel(-1, FALSE);
        for (const char* psz : names)
            m_list.SetSel(m_list.FindStringExact(-1, psz), TRUE);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESOURCE_LIST, LBN_SELCHANGE), (LPARAM)m_list.m_hWnd);
    }
    // The list's items, and the selected ones.
    std::vector<std::string> Items() const
    {
        std::vector<std::string> items;
        for (int i = 0; i < m_list.GetCount(); i++)
        {
            CString str;
            m_list.GetText(i, str);
            items.push_back((LPCSTR)str);
        }
        return items;
    }
    std::vector<std::string> Selected() const
    {
        std::vector<std::string> selected;
        for (int i = 0; i < m_list.GetCount(); i++)
        {
            CString str;
            m_list.GetText(i, str);
            if (m_list.GetSel(i) > 0)
                selected.push_back((LPCSTR)str);
        }
        return selected;
    }
    bool Enabled(int nID) { return GetDlgItem(nID)->IsWindowEnabled() != FALSE; }
    bool Visible(int nID) { return GetDlgItem(nID)->IsWindowVisible() != FALSE; }
    std::string Text(int nID) { return WindowText(GetDlgItem(nID)->m_hWnd); }
    // The modeless editor, shown.
    bool Open()
    {
        if (!Create(m_lpszTemplateName))
            return false;
        ShowWindow(SW_SHOW);
        return true;
    }
};

// The tests of the gadget dialogs: an application that answers message boxes, and a
// hoard with the unmodified gadgets Anvil, Bell and Cog.
class CGadgetDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MapGadgetNames();
        CGadget::Reset();
        for (const char* psz : { "Anvil", "Bell", "Cog" })
            m_hoard.NewResource("CGadget", psz);
        m_hoard.SetModified(FALSE);
    }
    void TearDown() override { CGadget::Reset(); }

    CDialogsApp m_app;
    CHoard m_hoard;
};

// A step: the dialog is open and the foreground window.
inline std::function<bool()> Active(CWnd& dlg)
{
    return [&dlg] { return dlg.m_hWnd != NULL && IsWindowVisible(dlg.m_hWnd) && GetForegroundWindow() == dlg.m_hWnd; };
}

// A step that does something once.
inline std::function<bool()> Do(std::function<void()> action)
{
    return [action] {
        action();
        return true;
    };
}

