// listeditdemo: the list editor of pictures, driven by a simulated user with real keys
// and clicks. In the editor of the first file the user selects two pictures and copies
// them with Ctrl+C; in the editor of the second file pastes them with Ctrl+V, answers
// No when asked whether pictures of the same names are to be replaced (the pasted ones
// get unique names), renames one through the name dialog, deletes another with Del
// and Yes, selects the renamed picture so that its preview shows, and presses Done.
// Both files are then saved, and a picture of the second editor's window, taken with
// the preview showing, is written to SHOT.
//
//   listeditdemo FIRST SECOND SHOT
//
// FIRST must hold at least two pictures. SECOND is created when it does not exist,
// holding a copy of the first of the two copied pictures, so that the paste meets a
// picture of the same name, and of a picture of FIRST that was not copied, if any.
#include "ExceptionText.h"
#include "ScreenImage.h"

#include "hoard/dialogs/EditResDlg.h"
#include "hoard/res/resource.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/runtime/MappedString.h"
#include "limn/pictures/Picture.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// limn's picture type; naming its class record also makes the demo load limn.
const char* const szPictureType = RUNTIME_CLASS(CPicture)->m_lpszClassName;
const char szRenamed[] = "Renamed picture";
const DWORD dwSessionTimeoutMS = 30000;
// How long the user waits for the question about pictures of the same names.
const DWORD dwQuestionWaitMS = 3000;

// Real input, as a user gives it.
void Key(WORD vk, BOOL bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}

void PressKey(WORD vk, WORD vkModifier = 0)
{
    if (vkModifier != 0)
        Key(vkModifier, FALSE);
    Key(vk, FALSE);
    Key(vk, TRUE);
    if (vkModifier != 0)
        Key(vkModifier, TRUE);
}

void TypeText(const char* psz)
{
    for (; *psz != '\0'; psz++)
    {
        SHORT nScan = ::VkKeyScanA(*psz);
        PressKey(LOBYTE(nScan), (HIBYTE(nScan) & 1) ? VK_SHIFT : 0);
    }
}

void ClickAt(POINT pt, WORD vkModifier = 0)
{
    ::SetCursorPos(pt.x, pt.y);
    if (vkModifier != 0)
        Key(vkModifier, FALSE);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    if (vkModifier != 0)
        Key(vkModifier, TRUE);
}

void ClickOn(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ClickAt({ (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 });
}

std::string WindowText(HWND hWnd)
{
    std::string text(::GetWindowTextLengthA(hWnd) + 1, '\0');
    text.resize(::GetWindowTextA(hWnd, text.data(), (int)text.size()));
    return text;
}

// A visible dialog of this thread for which match holds, or NULL.
HWND FindThreadDialog(const std::function<bool(HWND)>& match)
{
    struct Search
    {
        const std::function<bool(HWND)>* pMatch;
        HWND hWnd;
    } search = { &match, NULL };
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* p = (Search*)lParam;
            char szClass[16];
            ::GetClassNameA(hWnd, szClass, sizeof szClass);
            if (strcmp(szClass, "#32770") != 0 || !::IsWindowVisible(hWnd) || !(*p->pMatch)(hWnd))
                return TRUE;
            p->hWnd = hWnd;
            return FALSE;
        },
        (LPARAM)&search);
    return search.hWnd;
}

// The message box of this thread in the foreground, or NULL.
HWND ForegroundMessageBox()
{
    HWND hWnd = FindThreadDialog([](HWND h) { return ::GetDlgItem(h, 0xFFFF) != NULL; });
    return hWnd != NULL && ::GetForegroundWindow() == hWnd ? hWnd : NULL;
}

// The editor as the user sees it.
class CEditor : public CEditResDlg
{
public:
    CEditor(CHoard& hoard) : CEditResDlg(hoard, szPictureType, TRUE, FALSE) {}

    BOOL Shown() const { return m_hWnd != NULL && ::IsWindowVisible(m_hWnd) && ::GetForegroundWindow() == m_hWnd; }
    int Count() const { return m_list.GetCount(); }
    CString Item(int nItem) const
    {
        CString str;
        m_list.GetText(nItem, str);
        return str;
    }
    // A click on the item, with Ctrl to add it to the selection.
    void ClickItem(int nItem, BOOL bAdd)
    {
        CRect rc;
        m_list.GetItemRect(nItem, &rc);
        m_list.ClientToScreen(&rc);
        ClickAt(rc.CenterPoint(), bAdd ? VK_CONTROL : 0);
    }
    std::vector<CString> Selected() const
    {
        std::vector<CString> selected;
        for (int i = 0; i < m_list.GetCount(); i++)
        {
            if (m_list.GetSel(i) > 0)
                selected.push_back(Item(i));
        }
        return selected;
    }
    HWND Button(int nID) const { return ::GetDlgItem(m_hWnd, nID); }

    // The whole window as the screen shows it, written to a ".bmp" file.
    void WriteShot(const char* pszPath)
    {
        CRect rc;
        GetWindowRect(&rc);
        CScreenImage image(rc.Width(), rc.Height());
        CWindowDC dc(this);
        image.m_dc.BitBlt(0, 0, rc.Width(), rc.Height(), &dc, 0, 0, SRCCOPY);
        image.WriteBitmapFile(pszPath);
    }
};

// The simulated user: steps run from a thread timer while the editor's modal loop
// waits, each on every tick until it says it is done; past the session's time the
// editor is closed and the step not done is named.
class CSimulatedUser
{
public:
    CSimulatedUser& Then(const char* pszWhat, std::function<BOOL()> step)
    {
        m_steps.push_back({ pszWhat, std::move(step) });
        return *this;
    }
    // Runs the editor with the steps; whether every step ran.
    BOOL Run(CEditor& editor)
    {
        m_pEditor = &editor;
        s_pUser = this;
        m_dwStart = ::GetTickCount();
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, OnTimer);
        editor.DoModal();
        ::KillTimer(NULL, nTimer);
        s_pUser = NULL;
        if (m_nStep < m_steps.size())
            fprintf(stderr, "listeditdemo: step not done: %s\n", m_steps[m_nStep].pszWhat);
        return m_nStep == m_steps.size();
    }
    DWORD Elapsed() const { return ::GetTickCount() - m_dwStepStart; }

private:
    struct Step
    {
        const char* pszWhat;
        std::function<BOOL()> run;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_pUser != NULL)
            s_pUser->Tick();
    }

    void Tick()
    {
        if (m_bInTick || m_nStep == m_steps.size())
            return;
        if (::GetTickCount() - m_dwStart > dwSessionTimeoutMS)
        {
            if (HWND hWnd = ::GetForegroundWindow())
                ::PostMessage(hWnd, WM_CLOSE, 0, 0);
            if (m_pEditor->m_hWnd != NULL)
                m_pEditor->PostMessage(WM_COMMAND, IDCANCEL);
            return;
        }
        m_bInTick = TRUE;
        while (m_nStep < m_steps.size() && m_steps[m_nStep].run())
        {
            m_nStep++;
            m_dwStepStart = ::GetTickCount();
        }
        m_bInTick = FALSE;
    }

    std::vector<Step> m_steps;
    size_t m_nStep = 0;
    DWORD m_dwStart = 0;
    DWORD m_dwStepStart = 0;
    BOOL m_bInTick = FALSE;
    CEditor* m_pEditor = NULL;

    static CSimulatedUser* s_pUser;
};

CSimulatedUser* CSimulatedUser::s_pUser = NULL;

std::function<BOOL()> Once(std::function<void()> action)
{
    return [action] {
        action();
        return TRUE;
    };
}

void PrintPictures(const char* pszWhat, const CHoard& hoard)
{
    printf("%s:", pszWhat);
    if (const CResourceList* pList = hoard.GetResourceList(szPictureType))
    {
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
            printf(" \"%s\"", (LPCSTR)pList->GetNext(pos)->GetName());
    }
    printf("\n");
}

// In the first file's editor: the first two pictures selected, Ctrl+C, Done.
BOOL CopyTwo(CHoard& hoard, CString& strFirst, CString& strSecond)
{
    CEditor editor(hoard);
    DWORD dwClipboard = 0;
    CSimulatedUser user;
    user.Then("open the first file's editor", [&] { return editor.Shown(); })
        .Then("click the first picture", Once([&] { editor.ClickItem(0, FALSE); }))
        .Then("Ctrl+click the second", [&] {
            if (editor.Selected().size() != 1)
                return FALSE;
            editor.ClickItem(1, TRUE);
            return TRUE;
        })
        .Then("Ctrl+C", [&] {
            if (editor.Selected().size() != 2)
                return FALSE;
            strFirst = editor.Item(0);
            strSecond = editor.Item(1);
            dwClipboard = ::GetClipboardSequenceNumber();
            PressKey('C', VK_CONTROL);
            return TRUE;
        })
        .Then("the clipboard took them", [&] {
            return (BOOL)(::GetClipboardSequenceNumber() != dwClipboard || user.Elapsed() > 1000);
        })
        .Then("Done", Once([&] { ClickOn(editor.Button(IDOK)); }));
    if (!user.Run(editor))
        return FALSE;
    printf("copied \"%s\" and \"%s\" with Ctrl+C\n", (LPCSTR)strFirst, (LPCSTR)strSecond);
    return TRUE;
}

// In the second file's editor: Ctrl+V and No, a rename, a deletion with Del and Yes,
// the renamed picture's preview, the shot, Done.
BOOL PasteRenameDelete(CHoard& hoard, const char* pszShot)
{
    CEditor editor(hoard);
    int nBefore = 0;
    BOOL bAsked = FALSE;
    CString strRenamed, strDeleted;
    CSimulatedUser user;
    user.Then("open the second file's editor", [&] { return editor.Shown(); })
        .Then("Ctrl+V", Once([&] {
            nBefore = editor.Count();
            PressKey('V', VK_CONTROL);
        }))
        .Then("answer No to the question", [&] {
            if (HWND hBox = ForegroundMessageBox())
            {
                printf("asked: %s\n", WindowText(::GetDlgItem(hBox, 0xFFFF)).c_str());
                ClickOn(::GetDlgItem(hBox, IDNO));
                bAsked = TRUE;
                return TRUE;
            }
            return (BOOL)(user.Elapsed() > dwQuestionWaitMS);
        })
        .Then("pasted", [&] {
            if (!editor.Shown())
                return FALSE;
            if (!bAsked)
                printf("no question about pictures of the same names\n");
            printf("pasted %d pictures with Ctrl+V\n", editor.Count() - nBefore);
            return TRUE;
        })
        .Then("click the last picture", Once([&] { editor.ClickItem(editor.Count() - 1, FALSE); }))
        .Then("Rename", [&] {
            if (editor.Selected().size() != 1)
                return FALSE;
            strRenamed = editor.Selected()[0];
            ClickOn(editor.Button(IDC_RENAME));
            return TRUE;
        })
        .Then("type the new name", [&] {
            HWND hDlg = FindThreadDialog([](HWND h) { return WindowText(h) == "Enter Name"; });
            if (hDlg == NULL || ::GetForegroundWindow() != hDlg)
                return FALSE;
            ::SendMessage(::GetDlgItem(hDlg, IDC_NAME), EM_SETSEL, 0, -1);
            TypeText(szRenamed);
            return TRUE;
        })
        .Then("OK", [&] {
            HWND hDlg = FindThreadDialog([](HWND h) { return WindowText(h) == "Enter Name"; });
            if (WindowText(::GetDlgItem(hDlg, IDC_NAME)) != szRenamed)
                return FALSE;
            ClickOn(::GetDlgItem(hDlg, IDOK));
            return TRUE;
        })
        .Then("renamed", [&] {
            if (!editor.Shown() || editor.m_list.FindStringExact(-1, szRenamed) == LB_ERR)
                return FALSE;
            printf("renamed \"%s\" to \"%s\" in the name dialog\n", (LPCSTR)strRenamed, szRenamed);
            return TRUE;
        })
        .Then("click the first picture not renamed", Once([&] {
            int nItem = editor.Item(0) == szRenamed ? 1 : 0;
            strDeleted = editor.Item(nItem);
            editor.ClickItem(nItem, FALSE);
        }))
        .Then("Del", [&] {
            if (editor.Selected() != std::vector<CString>{ strDeleted })
                return FALSE;
            PressKey(VK_DELETE);
            return TRUE;
        })
        .Then("answer Yes", [&] {
            HWND hBox = ForegroundMessageBox();
            if (hBox == NULL)
                return FALSE;
            printf("asked: %s\n", WindowText(::GetDlgItem(hBox, 0xFFFF)).c_str());
            ClickOn(::GetDlgItem(hBox, IDYES));
            return TRUE;
        })
        .Then("deleted", [&] {
            if (!editor.Shown() || editor.m_list.FindStringExact(-1, strDeleted) != LB_ERR)
                return FALSE;
            printf("deleted \"%s\" with Del\n", (LPCSTR)strDeleted);
            return TRUE;
        })
        .Then("click the renamed picture", Once([&] {
            editor.ClickItem(editor.m_list.FindStringExact(-1, szRenamed), FALSE);
        }))
        .Then("its preview shows", [&] {
            if (editor.Selected() != std::vector<CString>{ szRenamed })
                return FALSE;
            editor.UpdateWindow();
            editor.WriteShot(pszShot);
            printf("wrote the editor's window with the preview of \"%s\"\n", szRenamed);
            return TRUE;
        })
        .Then("Done", Once([&] { ClickOn(editor.Button(IDOK)); }));
    return user.Run(editor);
}

int Demo(const char* pszFirst, const char* pszSecond, const char* pszShot)
{
    CHoard first;
    first.LoadFromFile(pszFirst);
    const CResourceList* pPictures = first.GetResourceList(szPictureType);
    if (pPictures == NULL || pPictures->GetCount() < 2)
    {
        fprintf(stderr, "listeditdemo: %s holds fewer than two pictures\n", pszFirst);
        return 1;
    }
    PrintPictures("first file", first);

    CString strCopied1, strCopied2;
    if (!CopyTwo(first, strCopied1, strCopied2))
        return 1;

    // A new second file holds a copy of the first picture copied, and one of the first
    // picture not copied if there is one.
    CHoard second;
    if (::GetFileAttributesA(pszSecond) != INVALID_FILE_ATTRIBUTES)
    {
        second.LoadFromFile(pszSecond);
    }
    else
    {
        first.GetResource(szPictureType, strCopied1)->CopyTo(second);
        for (POSITION pos = pPictures->GetHeadPosition(); pos != NULL;)
        {
            CResource* pPicture = pPictures->GetNext(pos);
            if (pPicture->GetName() != strCopied1 && pPicture->GetName() != strCopied2)
            {
                pPicture->CopyTo(second);
                break;
            }
        }
    }
    PrintPictures("second file before", second);
    if (!PasteRenameDelete(second, pszShot))
        return 1;
    PrintPictures("second file after", second);

    first.SaveToFile(pszFirst);
    second.SaveToFile(pszSecond);
    printf("saved both files\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc != 4)
    {
        fputs("usage: listeditdemo FIRST SECOND SHOT\n", stderr);
        return 2;
    }
    // The display names of the application's mapped strings, then the resource types.
    static const char szNames[] = "CPicture=picture\r\nCPicturePlural=pictures\r\nID_IMPORT=Import\r\n";
    CMemFile names((BYTE*)szNames, sizeof szNames - 1);
    CMappedString::Load(names);
    CResourceClass::InitResourceClasses();
    try
    {
        return Demo(argv[1], argv[2], argv[3]);
    }
    catch (CException* e)
    {
        fprintf(stderr, "listeditdemo: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
    }
    return 1;
}
