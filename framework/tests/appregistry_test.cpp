// The application's profile in the registry after SetRegistryKey: values round-trip
// through HKEY_CURRENT_USER\Software\<key>\<application>\<section> as the system's own
// registry calls see them, values of the wrong kind read as the default, removals,
// and the recent-file list kept there too. Then help: F1 (ID_HELP) through the
// application's message map, answered by the active window or its dialog's template,
// and the F1 key pressed in a dialog.
#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialog_driver.h"
#include "test_resource.h"
#include "test_support.h"

namespace {

// A registry key of this run under HKEY_CURRENT_USER\Software, removed at the end.
class CScratchRegistryKey
{
public:
    CScratchRegistryKey() { m_strKey.Format("Framework Tests %lu-%lu", GetCurrentProcessId(), GetTickCount()); }
    ~CScratchRegistryKey() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\" + m_strKey); }
    CScratchRegistryKey(const CScratchRegistryKey&) = delete;
    CScratchRegistryKey& operator=(const CScratchRegistryKey&) = delete;

    const CString& Name() const { return m_strKey; }
    CString SectionPath(LPCSTR lpszApp, LPCSTR lpszSection) const
    {
        return "Software\\" + m_strKey + "\\" + lpszApp + "\\" + lpszSection;
    }

private:
    CString m_strKey;
};

bool KeyExists(const CString& strPath)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

// The raw value: its type and bytes; type REG_NONE when missing.
std::pair<DWORD, std::string> RawValue(const CString& strPath, LPCSTR lpszEntry)
{
    char buffer[8192];
    DWORD dwType = REG_NONE, cbData = sizeof buffer;
    if (RegGetValueA(HKEY_CURRENT_USER, strPath, lpszEntry, RRF_RT_ANY | RRF_NOEXPAND, &dwType, buffer, &cbData)
        != ERROR_SUCCESS)
        return { REG_NONE, std::string() };
    return { dwType, std::string(buffer, cbData) };
}

void SetRawValue(const CString& strPath, LPCSTR lpszEntry, DWORD dwType, const void* pData, DWORD cbData)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, strPath, lpszEntry, dwType, pData, cbData));
}

class CProfileApp : public CWinApp
{
public:
    CProfileApp() : CWinApp("Profile Test") {}
};

} // namespace

TEST(RegistryProfile, ValuesRoundTripThroughTheRegistry)
{
    CScratchFolder folder;
    CScratchRegistryKey regKey;
    CProfileApp app;
    app.m_pszProfileName = _strdup(folder.Path("profile.ini"));
    EXPECT_EQ(NULL, app.GetAppRegistryKey()) << "no registry before SetRegistryKey";

    app.SetRegistryKey(regKey.Name());
    const CString strSettings = regKey.SectionPath("Profile Test", "Settings");
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Size", -12));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "Quick Notes"));

    // As the registry holds them: a DWORD and a null-terminated string.
    const DWORD dwMinus12 = (DWORD)-12;
    EXPECT_EQ(std::make_pair((DWORD)REG_DWORD, std::string((const char*)&dwMinus12, 4)),
              RawValue(strSettings, "Size"));
    EXPECT_EQ(std::make_pair((DWORD)REG_SZ, std::string("Quick Notes", 12)), RawValue(strSettings, "Name"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.Path("profile.ini"))) << "the INI file stays unused";

    EXPECT_EQ((UINT)-12, app.GetProfileInt("Settings", "Size", 7));
    EXPECT_STREQ("Quick Notes", app.GetProfileString("Settings", "Name"));
    EXPECT_STREQ("dflt", app.GetProfileString("Settings", "Missing", "dflt"));
    EXPECT_EQ(7u, app.GetProfileInt("Settings", "Missing", 7));

    // Reading a section that is not there gives the defaults and makes no key.
    EXPECT_STREQ("dflt", app.GetProfileString("Unread", "Name", "dflt"));
    EXPECT_EQ(5u, app.GetProfileInt("Unread", "Size", 5));
    EXPECT_FALSE(KeyExists(regKey.SectionPath("Profile Test", "Unread")));

    // A value longer than a first guess at its length.
    std::string strLong(3000, 'x');
    strLong += "end";
    EXPECT_TRUE(app.WriteProfileString("Settings", "Long", strLong.c_str()));
    EXPECT_EQ(strLong, std::string(app.GetProfileString("Settings", "Long")));

    // The section keys come from the same place, for a program's own registry calls.
    HKEY hSection = app.GetSectionKey("Settings");
    ASSERT_NE((HKEY)NULL, hSection);
    DWORD dwSize = 0, cbData = sizeof dwSize;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hSection, "Size", NULL, NULL, (LPBYTE)&dwSize, &cbData));
    EXPECT_EQ(dwMinus12, dwSize);
    RegCloseKey(hSection);
}

TEST(RegistryProfile, ValuesOfAnotherKindReadAsTheDefault)
{
    CScratchRegistryKey regKey;
    CProfileApp app;
    app.SetRegistryKey(regKey.Name());
    const CString strPath = regKey.SectionPath("Profile Test", "Odd");
    const struct
    {
        const char* pszEntry;
        DWORD dwType;
        std::string data;
        UINT nInt;              // GetProfileInt with default 7
        const char* pszString;  // GetProfileString with default "dflt"
    } cases[] = {
        { "text", REG_SZ, std::string("42", 3), 7, "42" },
        { "unterminated", REG_SZ, "abc", 7, "abc" },
        { "empty", REG_SZ, std::string(), 7, "" },
        { "number", REG_DWORD, std::string("\x2a\0\0\0", 4), 42, "dflt" },
        { "short number", REG_BINARY, std::string("\x2a\0", 2), 7, "dflt" },
        { "binary", REG_BINARY, std::string("\1\2\3\4", 4), 7, "dflt" },
        { "quad", REG_QWORD, std::string("\x2a\0\0\0\0\0\0\0", 8), 7, "dflt" },
    };
    for (const auto& c : cases)
        SetRawValue(strPath, c.pszEntry, c.dwType, c.data.data(), (DWORD)c.data.size());
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.nInt, app.GetProfileInt("Odd", c.pszEntry, 7)) << c.pszEntry;
        EXPECT_STREQ(c.pszString, app.GetProfileString("Odd", c.pszEntry, "dflt")) << c.pszEntry;
    }
}

TEST(RegistryProfile, EntriesAndSectionsAreRemoved)
{
    CScratchRegistryKey regKey;
    CProfileApp app;
    app.SetRegistryKey(regKey.Name());
    const CString strSection = regKey.SectionPath("Profile Test", "Settings");
    ASSERT_TRUE(app.WriteProfileString("Settings", "Name", "x"));
    ASSERT_TRUE(app.WriteProfileInt("Settings", "Size", 3));
    SetRawValue(strSection + "\\Nested", "Deep", REG_SZ, "y", 2);

    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", NULL));
    EXPECT_EQ((DWORD)REG_NONE, RawValue(strSection, "Name").first);
    EXPECT_EQ(3u, app.GetProfileInt("Settings", "Size", 7)) << "the other value stays";
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", NULL)) << "removing what is gone";

    EXPECT_TRUE(app.WriteProfileString("Settings", NULL, NULL));
    EXPECT_FALSE(KeyExists(strSection)) << "the section goes with what it holds";
    EXPECT_EQ(7u, app.GetProfileInt("Settings", "Size", 7));
    EXPECT_TRUE(app.WriteProfileString("Settings", NULL, NULL)) << "removing what is gone";
    EXPECT_TRUE(app.WriteProfileString("Never", "Name", NULL));
    EXPECT_FALSE(KeyExists(regKey.SectionPath("Profile Test", "Never")));

    // An empty section name names no section: the application's key stays.
    ASSERT_TRUE(app.WriteProfileString("Kept", "Name", "x"));
    EXPECT_FALSE(app.WriteProfileString("", NULL, NULL));
    EXPECT_STREQ("x", app.GetProfileString("Kept", "Name"));
}

TEST(RegistryProfile, AMissingKeyLeavesTheProfileFile)
{
    CScratchFolder folder;
    CProfileApp app;
    app.m_pszProfileName = _strdup(folder.Path("profile.ini"));
    app.SetRegistryKey(0x7FF1u);     // no string of the chain has this id
    EXPECT_EQ(NULL, app.m_pszRegistryKey);
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Size", 4));
    EXPECT_EQ(4u, GetPrivateProfileIntA("Settings", "Size", 0, folder.Path("profile.ini")));
}

TEST(RegistryProfile, TheRecentFileListIsKeptThere)
{
    CScratchFolder folder;
    CScratchRegistryKey regKey;
    CString strFile = folder.Path("a.txt");
    {
        CProfileApp app;
        app.SetRegistryKey(regKey.Name());
        app.LoadStdProfileSettings(4);
        app.AddToRecentFileList(strFile);
        app.SaveStdProfileSettings();
    }
    EXPECT_EQ(std::make_pair((DWORD)REG_SZ, std::string(strFile, strFile.GetLength() + 1)),
              RawValue(regKey.SectionPath("Profile Test", "Recent File List"), "File1"));

    CProfileApp app;
    app.SetRegistryKey(regKey.Name());
    app.LoadStdProfileSettings(4);
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    EXPECT_STREQ(strFile, (*app.m_pRecentFileList)[0]);
}

namespace {

// Records what WinHelp was asked, and the message boxes, instead of showing them.
class CHelpApp : public CWinApp
{
public:
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override
    {
        m_calls.push_back({ dwData, nCmd });
        if (m_bReallyCall)
            CWinApp::WinHelp(dwData, nCmd);
    }
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        m_boxes.push_back(lpszPrompt);
        return IDOK;
    }

    std::vector<std::pair<DWORD_PTR, UINT>> m_calls;
    std::vector<std::string> m_boxes;
    bool m_bReallyCall = false;

    DECLARE_MESSAGE_MAP()
};

// F1 as wizard-made applications route it: the qualified name of the base's handler.
BEGIN_MESSAGE_MAP(CHelpApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
    ON_COMMAND(ID_HELP_INDEX, CWinApp::OnHelpIndex)
    ON_COMMAND(ID_HELP_FINDER, CWinApp::OnHelpFinder)
    ON_COMMAND(ID_HELP_USING, CWinApp::OnHelpUsing)
END_MESSAGE_MAP()

// A frame that answers WM_COMMANDHELP with its own context when asked to.
class CHelpFrame : public CFrameWnd
{
public:
    BOOL m_bAnswers = FALSE;
    int m_nAsked = 0;

protected:
    afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM)
    {
        m_nAsked++;
        if (m_bAnswers)
            AfxGetApp()->WinHelp(HID_BASE_RESOURCE + 77);
        return m_bAnswers;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpFrame, CFrameWnd)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

} // namespace

TEST(AppHelp, F1AsksTheActiveWindowThenItsDialogThenTheContents)
{
    CHelpApp app;
    auto* pFrame = new CHelpFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Help"));
    app.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOW);
    pFrame->SetForegroundWindow();
    ASSERT_EQ(pFrame->m_hWnd, GetActiveWindow());

    // Nobody answers: the contents of the help file.
    pFrame->SendMessage(WM_COMMAND, ID_HELP);
    EXPECT_EQ(1, pFrame->m_nAsked);
    ASSERT_EQ(1u, app.m_calls.size());
    EXPECT_EQ(std::make_pair((DWORD_PTR)0, (UINT)HELP_CONTENTS), app.m_calls[0]);

    // The frame answers with its own context.
    pFrame->m_bAnswers = TRUE;
    pFrame->SendMessage(WM_COMMAND, ID_HELP);
    ASSERT_EQ(2u, app.m_calls.size());
    EXPECT_EQ(std::make_pair((DWORD_PTR)(HID_BASE_RESOURCE + 77), (UINT)HELP_CONTEXT), app.m_calls[1]);

    // An active dialog that does not answer, over a frame that does not either: the help
    // of the dialog's template. The frame was asked after the dialog, as its owner.
    pFrame->m_bAnswers = FALSE;
    CDialog dlg(IDD_TABS, pFrame);
    ASSERT_TRUE(dlg.Create(IDD_TABS, pFrame));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetForegroundWindow();
    ASSERT_EQ(dlg.m_hWnd, GetActiveWindow());
    app.OnHelp();
    EXPECT_EQ(3, pFrame->m_nAsked);
    ASSERT_EQ(3u, app.m_calls.size());
    EXPECT_EQ(std::make_pair((DWORD_PTR)(HID_BASE_RESOURCE + IDD_TABS), (UINT)HELP_CONTEXT), app.m_calls[2]);
    dlg.DestroyWindow();

    // Without a help file the user is told, and nothing starts.
    app.m_bReallyCall = true;
    free((void*)app.m_pszHelpFilePath);
    app.m_pszHelpFilePath = NULL;
    app.WinHelp(0, HELP_CONTENTS);
    ASSERT_EQ(1u, app.m_boxes.size());
    EXPECT_EQ("Failed to launch help.", app.m_boxes[0]);

    pFrame->DestroyWindow();
    app.m_pMainWnd = NULL;
}

TEST(AppHelp, F1PressedInADialogGivesTheHelpOfItsTemplate)
{
    CHelpApp app;
    auto* pFrame = new CHelpFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Help"));
    app.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOW);

    // The key goes to the focused edit control, which passes WM_HELP to the dialog.
    CDialog dlg(IDD_TABS, pFrame);
    ASSERT_TRUE(dlg.Create(IDD_TABS, pFrame));
    dlg.SetForegroundWindow();
    dlg.GetDlgItem(IDC_SECOND)->SetFocus();
    PressKey(VK_F1);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return !app.m_calls.empty(); }));
    ASSERT_EQ(1u, app.m_calls.size());
    EXPECT_EQ(std::make_pair((DWORD_PTR)(HID_BASE_RESOURCE + IDD_TABS), (UINT)HELP_CONTEXT), app.m_calls[0]);
    EXPECT_EQ(1, pFrame->m_nAsked) << "the frame, as the dialog's owner, was asked first";
    dlg.DestroyWindow();

    // The Help menu's other commands.
    pFrame->SendMessage(WM_COMMAND, ID_HELP_INDEX);
    pFrame->SendMessage(WM_COMMAND, ID_HELP_FINDER);
    pFrame->SendMessage(WM_COMMAND, ID_HELP_USING);
    ASSERT_EQ(4u, app.m_calls.size());
    EXPECT_EQ((UINT)HELP_INDEX, app.m_calls[1].second);
    EXPECT_EQ((UINT)HELP_FINDER, app.m_calls[2].second);
    EXPECT_EQ((UINT)HELP_HELPONHELP, app.m_calls[3].second);

    pFrame->DestroyWindow();
    app.m_pMainWnd = NULL;
}
