// Shared by the tests of the resource dialogs: a resource type with six commands whose
// overrides record what reaches them, an application that answers message boxes, and
// keys pressed with Ctrl.
#pragma once

#include "test_support.h"

#include "framework/tests/dialog_driver.h"
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

// Presses and releases a key with Ctrl held, as a user would.
void PressCtrlKey(WORD vk);

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

// The display names of the tests' types: "Gadget", "Gadgets".
void MapGadgetNames();
