// The framework's private window messages, a map entry for the ones that carry
// nothing, and the update of a popup menu's items through the command route.
#pragma once

#include "afxwin.h"

#define WM_QUERYAFXWNDPROC  0x0360  // 1 from a window whose procedure is AfxWndProc
#define WM_SIZEPARENT       0x0361  // a frame's layout asks its bars for their room: lParam AFX_SIZEPARENTPARAMS*
// The frame's message pane: wParam the id of a string (its text up to the first newline),
// or 0 with lParam the text itself.
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI  0x0363  // wParam TRUE: update the command user interface
#define WM_INITIALUPDATE    0x0364  // a frame's views: OnInitialUpdate
// F1 help: asks a window for the help of what the user does in it; lParam is the help
// context known so far (0: none). A window that called WinHelp returns TRUE.
#define WM_COMMANDHELP      0x0365
#define WM_KICKIDLE         0x036A  // sent by modal loops while their queue is empty

// The ranges of help contexts: commands, windows and dialogs (by resource id), prompts
// (by string id), non-client areas (by hit-test code), controls (by control id)
#define HID_BASE_COMMAND    0x00010000UL
#define HID_BASE_RESOURCE   0x00020000UL
#define HID_BASE_PROMPT     0x00030000UL
#define HID_BASE_NCAREAS    0x00040000UL
#define HID_BASE_CONTROL    0x00050000UL

// What RepositionBars hands each bar with WM_SIZEPARENT: the bar takes its strip off
// rect (the part of the parent still free) and adds its size to sizeTotal; with hDWP it
// moves itself through DeferWindowPos (hDWP is NULL when only the size is asked).
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// A message handled as void memberFxn().
#define ON_MESSAGE_VOID(message, memberFxn) \
    AFX_WND_ENTRY(message, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), memberFxn)

// Offers each command item of a popup menu that is opening to pTarget's command routing
// as a CCmdUI, as frame windows do on WM_INITMENUPOPUP, so that ON_UPDATE_COMMAND_UI
// handlers set its state; with bDisableIfNoHndler, an item that no handler takes is
// disabled (the system's commands, 0xF000 and up, never are).
AFX_FRAMEWORK void AFXAPI AfxUpdateMenuPopup(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

// Whether pTarget's command route enables command nID, asked as a menu item's update
// would ask it but touching no menu; with bDisableIfNoHndler, a command that no handler
// takes counts as disabled.
AFX_FRAMEWORK BOOL AFXAPI AfxIsCommandEnabled(CCmdTarget* pTarget, UINT nID, BOOL bDisableIfNoHndler);

// A new object of pClass when it is a T (pClass may be NULL); NULL otherwise, with
// nothing left behind.
template <class T>
T* AfxCreateObjectOf(CRuntimeClass* pClass)
{
    CObject* pObject = pClass != NULL ? pClass->CreateObject() : NULL;
    T* pT = dynamic_cast<T*>(pObject);
    if (pT == NULL)
        delete pObject;
    return pT;
}

// The recent files of an application's File menu: full paths, the latest first, kept
// in the profile's section lpszSection under the entries of lpszEntryFormat ("File%d",
// counting from 1). The menu shows them at the item of the first command id,
// numbered from nStart + 1, abbreviated to nMaxDispLen characters.
#define AFX_ABBREV_FILENAME_LEN 30

class AFX_FRAMEWORK CRecentFileList
{
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

// Attributes
    int GetSize() const { return m_nSize; }
    // Empty past the last file.
    CString& operator[](int nIndex);

// Operations
    // Moves the file's full path to the top; the last one drops out when the list is full.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The menu's text of file nIndex: its name alone when it is in the folder
    // lpszCurDir (nCurDir characters, ending in '\\'), else the path, shortened with
    // "..." after the drive and first folder to fit the display length (at least the
    // name with bAtLeastName). FALSE for an empty place.
    BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                        BOOL bAtLeastName = TRUE) const;
    // For the update handler of the first command: the files as menu items "&1 name"
    // in place of the item, or the item as it was and disabled without files.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

// Implementation
    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;      // the text of the menu's item, shown without files
};
