// CDocument: its path, title and modified flag, a new document, closing, and the root
// of the documents' message maps.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
END_MESSAGE_MAP()

CDocument::CDocument() : m_bAutoDelete(TRUE), m_bModified(FALSE) {}

CDocument::~CDocument() = default;

void CDocument::SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL)
{
    char szFull[MAX_PATH];
    LPSTR lpszFilePart = NULL;
    DWORD nLen = ::GetFullPathNameA(lpszPathName, sizeof szFull, szFull, &lpszFilePart);
    if (nLen == 0 || nLen >= sizeof szFull)
    {
        // A path that the system cannot complete is kept as it was given.
        m_strPathName = lpszPathName;
        SetTitle(m_strPathName.Mid(m_strPathName.ReverseFind('\\') + 1));
        return;
    }
    m_strPathName = szFull;
    SetTitle(lpszFilePart != NULL ? lpszFilePart : szFull);
}

BOOL CDocument::IsModified() { return m_bModified; }

void CDocument::SetModifiedFlag(BOOL bModified) { m_bModified = bModified; }

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}
