// The application's profile and its recent-file list: values in the private profile
// file, the list's order and length, its names in the File menu, its place in the
// profile, and a recent file that can no longer be opened.
#include "mdi_program.h"

TEST(Profile, ValuesGoToThePrivateProfileFile)
{
    CScratchFolder folder;
    CString strIni = folder.Path("app.ini");
    CNoteApp app;
    // Without a profile file the reads give the defaults and nothing is written.
    EXPECT_EQ(7u, app.GetProfileInt("Settings", "Size", 7));
    EXPECT_STREQ("none", app.GetProfileString("Settings", "Name", "none"));
    EXPECT_FALSE(app.WriteProfileString("Settings", "Name", "x"));

    app.m_pszProfileName = _strdup(strIni);
    EXPECT_TRUE(app.WriteProfileInt("Settings", "Size", -12));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "Quick Notes"));
    EXPECT_EQ((UINT)-12, app.GetProfileInt("Settings", "Size", 7));
    EXPECT_STREQ("Quick Notes", app.GetProfileString("Settings", "Name"));
    EXPECT_STREQ("", app.GetProfileString("Settings", "Missing"));
    EXPECT_STREQ("dflt", app.GetProfileString("Other", "Name", "dflt"));
    char sz[64] = "";
    GetPrivateProfileStringA("Settings", "Name", "", sz, sizeof sz, strIni);
    EXPECT_STREQ("Quick Notes", sz);

    // A value longer than a first guess at its length.
    std::string strLong(3000, 'x');
    strLong += "end";
    EXPECT_TRUE(app.WriteProfileString("Settings", "Long", strLong.c_str()));
    EXPECT_EQ(strLong, std::string(app.GetProfileString("Settings", "Long")));

    // Removing an entry, and a section.
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", NULL));
    EXPECT_STREQ("gone", app.GetProfileString("Settings", "Name", "gone"));
    EXPECT_TRUE(app.WriteProfileString("Settings", NULL, NULL));
    EXPECT_EQ(7u, app.GetProfileInt("Settings", "Size", 7));
}

TEST(RecentFiles, TheLatestComesFirstAndTheOldestDropsOut)
{
    CRecentFileList list(0, "Recent File List", "File%d", 3);
    EXPECT_EQ(3, list.GetSize());
    list.Add("C:\\notes\\a.nte");
    list.Add("C:\\notes\\b.nte");
    list.Add("C:\\notes\\c.nte");
    // Again, under another spelling: moved to the top, not listed twice.
    list.Add("c:\\NOTES\\x\\..\\A.nte");
    EXPECT_STREQ("c:\\NOTES\\A.nte", list[0]) << "the full path";
    EXPECT_STREQ("C:\\notes\\c.nte", list[1]);
    EXPECT_STREQ("C:\\notes\\b.nte", list[2]);
    list.Add("C:\\notes\\d.nte");
    EXPECT_STREQ("C:\\notes\\d.nte", list[0]);
    EXPECT_STREQ("C:\\notes\\c.nte", list[2]) << "b dropped out";

    list.Remove(0);
    EXPECT_STREQ("c:\\NOTES\\A.nte", list[0]);
    EXPECT_STREQ("C:\\notes\\c.nte", list[1]);
    EXPECT_STREQ("", list[2]);
    list.Remove(5);     // no such place
    list.Remove(-1);
    EXPECT_STREQ("C:\\notes\\c.nte", list[1]);
}

TEST(RecentFiles, DisplayNamesAreShortenedToFit)
{
    CRecentFileList list(0, "Recent File List", "File%d", 8, 30);
    const struct
    {
        const char* pszPath;
        const char* pszCurDir;  // NULL: another folder
        BOOL bAtLeastName;
        const char* pszShown;
    } cases[] = {
        { "C:\\notes\\a.nte", NULL, TRUE, "C:\\notes\\a.nte" },
        { "C:\\notes\\a.nte", "C:\\notes\\", TRUE, "a.nte" },
        { "C:\\notes\\sub\\a.nte", "C:\\notes\\", TRUE, "C:\\notes\\sub\\a.nte" },
        { "C:\\first\\second\\third\\fourth\\list.nte", NULL, TRUE, "C:\\first\\...\\fourth\\list.nte" },
        { "C:\\first\\second\\third\\fourth-is-long\\list.nte", NULL, TRUE, "C:\\first\\...\\list.nte" },
        { "C:\\a-rather-long-first-folder\\list.nte", NULL, TRUE, "list.nte" },
        { "\\\\server\\share\\dir\\sub\\deeper\\list.nte", NULL, TRUE, "\\\\server\\share\\...\\list.nte" },
        { "\\\\server\\share\\list.nte", NULL, TRUE, "\\\\server\\share\\list.nte" },
        { "\\\\a-long-server-name\\share\\dir\\list.nte", NULL, TRUE, "list.nte" },
        { "C:\\x\\a-name-that-is-longer-than-thirty.nte", NULL, TRUE, "a-name-that-is-longer-than-thirty.nte" },
        { "C:\\x\\a-name-that-is-longer-than-thirty.nte", NULL, FALSE, "" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszPath);
        list[0] = c.pszPath;
        CString strName;
        EXPECT_TRUE(list.GetDisplayName(strName, 0, c.pszCurDir, c.pszCurDir != NULL ? (int)strlen(c.pszCurDir) : 0,
                                        c.bAtLeastName));
        EXPECT_STREQ(c.pszShown, strName);
        EXPECT_LE(strName.GetLength(), c.bAtLeastName && strName.Find('\\') < 0 ? 100 : 30);
    }
    CString strName;
    EXPECT_FALSE(list.GetDisplayName(strName, 1, NULL, 0)) << "an empty place";
    EXPECT_FALSE(list.GetDisplayName(strName, 8, NULL, 0)) << "past the end";
}

TEST(RecentFiles, TheListLivesInTheProfileAndTheFileMenu)
{
    std::vector<CString> paths;
    CString strIni;
    {
        CNoteProgram program;
        strIni = program.m_app.m_pszProfileName;
        program.m_app.LoadStdProfileSettings(3);
        ASSERT_NE(nullptr, program.m_app.m_pRecentFileList);
        for (const char* pszName : { "one.nte", "two & more.nte", "three.nte", "four.nte" })
        {
            paths.push_back(program.WriteNote(pszName, pszName));
            ASSERT_NE(nullptr, program.m_app.OpenDocumentFile(paths.back()));
        }
        // The latest first, three at most.
        EXPECT_STREQ(paths[3], (*program.m_app.m_pRecentFileList)[0]);
        EXPECT_STREQ(paths[1], (*program.m_app.m_pRecentFileList)[2]);

        // The File menu: the files in place of the item, numbered, the current
        // folder's by name; an ampersand stays an ampersand.
        SetCurrentDirectoryA(program.m_folder.Folder());
        HMENU hMenuFile = GetSubMenu(::GetMenu(program.m_pMain->m_hWnd), 0);
        int nCountBefore = GetMenuItemCount(hMenuFile);
        program.m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenuFile, 0);
        std::vector<std::string> items;
        for (UINT nID = ID_FILE_MRU_FILE1; nID <= ID_FILE_MRU_FILE4; nID++)
        {
            char sz[MAX_PATH] = "";
            if (GetMenuStringA(hMenuFile, nID, sz, sizeof sz, MF_BYCOMMAND) > 0)
                items.push_back(sz);
        }
        EXPECT_EQ((std::vector<std::string>{ "&1 four.nte", "&2 three.nte", "&3 two && more.nte" }), items);
        EXPECT_EQ(nCountBefore + 2, GetMenuItemCount(hMenuFile));
        // Opening the menu again shows them once.
        program.m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenuFile, 0);
        EXPECT_EQ(nCountBefore + 2, GetMenuItemCount(hMenuFile));
        EXPECT_EQ(0u, GetMenuState(hMenuFile, ID_FILE_MRU_FILE3, MF_BYCOMMAND) & MF_GRAYED);
        SetCurrentDirectoryA("C:\\");

        // The program's end writes the list to the profile.
        program.m_app.m_answers.clear();
        program.m_app.CloseAllDocuments(FALSE);
        program.m_app.ExitInstance();
        char sz[MAX_PATH] = "";
        GetPrivateProfileStringA("Recent File List", "File1", "", sz, sizeof sz, strIni);
        EXPECT_STREQ(paths[3], sz);
        GetPrivateProfileStringA("Recent File List", "File3", "", sz, sizeof sz, strIni);
        EXPECT_STREQ(paths[1], sz);
        GetPrivateProfileStringA("Recent File List", "File4", "none", sz, sizeof sz, strIni);
        EXPECT_STREQ("none", sz) << "no more than its length";

        // The next start reads it back; a file that has gone meanwhile leaves the list
        // when it is chosen, with the failure told.
        CNoteApp* pApp = &program.m_app;
        pApp->LoadStdProfileSettings(3);
        EXPECT_STREQ(paths[2], (*pApp->m_pRecentFileList)[1]);
        DeleteFileA(paths[2]);
        pApp->m_boxes.clear();
        program.Command(ID_FILE_MRU_FILE2);
        EXPECT_EQ(0, CNoteDoc::s_nLive);
        ASSERT_EQ(1u, pApp->m_boxes.size());
        EXPECT_EQ(0u, pApp->m_boxes[0].find("Failed to open document."));
        EXPECT_STREQ(paths[1], (*pApp->m_pRecentFileList)[1]);
        EXPECT_STREQ("", (*pApp->m_pRecentFileList)[2]);
        // A recent file that is there opens.
        program.Command(ID_FILE_MRU_FILE2);
        ASSERT_NE(nullptr, program.ActiveDoc());
        EXPECT_STREQ("two & more.nte", program.ActiveDoc()->m_strText);
        EXPECT_STREQ(paths[1], (*pApp->m_pRecentFileList)[0]);
        // A place without a file does nothing.
        pApp->m_boxes.clear();
        program.Command(ID_FILE_MRU_FILE3);
        EXPECT_TRUE(pApp->m_boxes.empty());
        EXPECT_EQ(1, CNoteDoc::s_nLive);
    }
}

TEST(RecentFiles, AnEmptyListShowsTheItemDisabled)
{
    CNoteProgram program;
    program.m_app.LoadStdProfileSettings();
    EXPECT_EQ(4, program.m_app.m_pRecentFileList->GetSize());
    HMENU hMenuFile = GetSubMenu(::GetMenu(program.m_pMain->m_hWnd), 0);
    program.m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenuFile, 0);
    char sz[64] = "";
    GetMenuStringA(hMenuFile, ID_FILE_MRU_FILE1, sz, sizeof sz, MF_BYCOMMAND);
    EXPECT_STREQ("Recent File", sz);
    EXPECT_EQ((UINT)MF_GRAYED, GetMenuState(hMenuFile, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    // The command is refused as well.
    program.Command(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(program.m_app.m_boxes.empty());

    // A list of no files is none.
    program.m_app.LoadStdProfileSettings(0);
    EXPECT_EQ(nullptr, program.m_app.m_pRecentFileList);
    program.m_app.LoadStdProfileSettings(40);
    EXPECT_EQ(16, program.m_app.m_pRecentFileList->GetSize());
}
