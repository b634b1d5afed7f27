// CWinApp and the shell: the document types registered under HKEY_CLASSES_ROOT so that
// opening a file of one starts the program, and the shell's DDE commands ([open("...")]
// and the printing ones) that a running program answers once EnableShellOpen was called.
#include "afxwin.h"

namespace {

// The executable's full path, quoted for a command line.
CString QuotedModulePath()
{
    char szPath[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        return CString();
    return CString("\"") + szPath + "\"";
}

// HKEY_CLASSES_ROOT\lpszKey's default value; FALSE when it cannot be written.
BOOL SetClassesValue(const CString& strKey, const CString& strValue)
{
    return ::RegSetValueA(HKEY_CLASSES_ROOT, strKey, REG_SZ, strValue, (DWORD)strValue.GetLength()) == ERROR_SUCCESS;
}

// HKEY_CLASSES_ROOT\lpszKey's default value, empty when it has none.
CString GetClassesValue(const CString& strKey)
{
    char szValue[MAX_PATH] = "";
    LONG cbValue = sizeof szValue;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, strKey, szValue, &cbValue) != ERROR_SUCCESS)
        return CString();
    szValue[sizeof szValue - 1] = '\0';
    return szValue;
}

// One DDE command, "name(arg, "arg", ...)" between brackets, from p on: its name and
// its arguments without their quotes. p is left after the closing bracket. FALSE when
// what follows is not a command.
BOOL ParseDdeCommand(LPCSTR& p, CString& strName, CStringArray& args)
{
    args.RemoveAll();
    while (*p == ' ')
        p++;
    if (*p++ != '[')
        return FALSE;
    LPCSTR pszName = p;
    while (*p != '\0' && *p != '(' && *p != ']')
        p++;
    strName = CString(pszName, (int)(p - pszName));
    strName.TrimLeft();
    strName.TrimRight();
    if (*p == '(')
    {
        p++;
        for (;;)
        {
            while (*p == ' ')
                p++;
            CString strArg;
            if (*p == '"')
            {
                LPCSTR pszArg = ++p;
                while (*p != '\0' && *p != '"')
                    p++;
                if (*p != '"')
                    return FALSE;
                strArg = CString(pszArg, (int)(p - pszArg));
                p++;
            }
            else
            {
                LPCSTR pszArg = p;
                while (*p != '\0' && *p != ',' && *p != ')')
                    p++;
                strArg = CString(pszArg, (int)(p - pszArg));
                strArg.TrimRight();
            }
            args.Add(strArg);
            while (*p == ' ')
                p++;
            if (*p == ',')
            {
                p++;
                continue;
            }
            if (*p != ')')
                return FALSE;
            p++;
            break;
        }
    }
    if (*p != ']')
        return FALSE;
    p++;
    return TRUE;
}

} // namespace

void CWinApp::EnableShellOpen()
{
    ASSERT(m_atomApp == 0 && m_atomSystemTopic == 0);
    if (m_pszExeName == NULL)
        return;
    m_atomApp = ::GlobalAddAtomA(m_pszExeName);
    m_atomSystemTopic = ::GlobalAddAtomA("system");
}

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    const CString strPath = QuotedModulePath();
    if (strPath.IsEmpty())
        return;
    int nTemplate = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL; nTemplate++)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strTypeId, strTypeName, strExt;
        if (!pTemplate->GetDocString(strTypeId, CDocTemplate::regFileTypeId) || strTypeId.IsEmpty())
            continue;   // a type the shell is not told of
        if (!pTemplate->GetDocString(strTypeName, CDocTemplate::regFileTypeName) || strTypeName.IsEmpty())
            strTypeName = strTypeId;

        if (!SetClassesValue(strTypeId, strTypeName))
            continue;
        // With the shell's DDE the running program opens the file; else a new one starts.
        if (m_atomApp != 0)
        {
            SetClassesValue(strTypeId + "\\shell\\open\\command", strPath + " /dde");
            SetClassesValue(strTypeId + "\\shell\\open\\ddeexec", "[open(\"%1\")]");
        }
        else
        {
            SetClassesValue(strTypeId + "\\shell\\open\\command", strPath + " \"%1\"");
        }
        if (bCompat)
        {
            SetClassesValue(strTypeId + "\\shell\\print\\command", strPath + " /p \"%1\"");
            SetClassesValue(strTypeId + "\\shell\\printto\\command", strPath + " /pt \"%1\" \"%2\" \"%3\" \"%4\"");
            CString strIcon;
            strIcon.Format("%s,%d", (LPCSTR)strPath.Mid(1, strPath.GetLength() - 2), nTemplate + 1);
            SetClassesValue(strTypeId + "\\DefaultIcon", strIcon);
        }

        // The extension leads to the type, unless another program's type has it.
        if (pTemplate->GetDocString(strExt, CDocTemplate::filterExt) && strExt.GetLength() > 1 && strExt[0] == '.')
        {
            CString strOwner = GetClassesValue(strExt);
            if (strOwner.IsEmpty() || strOwner.CompareNoCase(strTypeId) == 0)
                SetClassesValue(strExt, strTypeId);
        }
    }
}

BOOL CWinApp::OnDDECommand(LPTSTR lpszCommand)
{
    LPCSTR p = lpszCommand;
    CString strName;
    CStringArray args;
    if (!ParseDdeCommand(p, strName, args) || args.GetSize() == 0)
        return FALSE;

    if (strName.CompareNoCase("open") == 0 && args.GetSize() == 1)
    {
        if (OpenDocumentFile(args[0]) == NULL)
            return FALSE;
        // Started hidden for this: the window shows now, in front.
        if (m_pMainWnd != NULL)
        {
            int nCmdShow = m_nCmdShow == -1 || m_nCmdShow == SW_HIDE || m_nCmdShow == SW_SHOWNORMAL
                               ? (m_pMainWnd->IsIconic() ? SW_RESTORE : SW_SHOW)
                               : m_nCmdShow;
            m_pMainWnd->ShowWindow(nCmdShow);
            m_pMainWnd->SetForegroundWindow();
            m_nCmdShow = -1;
        }
        return TRUE;
    }

    BOOL bPrintTo = strName.CompareNoCase("printto") == 0 && args.GetSize() == 4;
    if (bPrintTo || (strName.CompareNoCase("print") == 0 && args.GetSize() == 1))
    {
        if (bPrintTo && !SelectPrinter(args[2], args[1], args[3]))
            return FALSE;
        CDocument* pDoc = OpenDocumentFile(args[0]);
        if (pDoc == NULL || m_pMainWnd == NULL)
            return FALSE;
        m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        // A program that was started only to print ends; one in use keeps its window.
        BOOL bHidden = m_pMainWnd != NULL && !m_pMainWnd->IsWindowVisible();
        pDoc->OnCloseDocument();
        if (bHidden && m_pMainWnd != NULL)
            m_pMainWnd->PostMessage(WM_CLOSE);
        return TRUE;
    }
    return FALSE;
}
