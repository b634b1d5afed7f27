// CWinApp's documents: its document templates, opening a file in the template that
// fits it best (or activating the document that has it open), the File commands New,
// Open and the recent files, the open and save dialogs with the templates' filters,
// and saving and closing all documents.
#include "afxwin.h"
#include "afxdlgs.h"
#include "afxpriv.h"
#include "newtypedlg.h"

// Templates

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    ASSERT(pTemplate != NULL && m_templateList.Find(pTemplate) == NULL);
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

// Documents

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    char szPath[MAX_PATH];
    DWORD nLen = ::GetFullPathNameA(lpszFileName, sizeof szPath, szPath, NULL);
    if (nLen == 0 || nLen >= sizeof szPath)
    {
        AfxMessageBox(AFX_IDP_INVALID_FILENAME);
        return NULL;
    }

    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocTemplate* pBestTemplate = NULL;
    CDocument* pOpenDocument = NULL;
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL && pOpenDocument == NULL;)
    {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        CDocument* pMatch = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pMatch);
        if (match > bestMatch)
        {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
            pOpenDocument = pMatch;
    }

    if (pOpenDocument != NULL)
    {
        // Its first frame comes to the front, and the main frame with it.
        POSITION pos = pOpenDocument->GetFirstViewPosition();
        CFrameWnd* pFrame = pos != NULL ? pOpenDocument->GetNextView(pos)->GetParentFrame() : NULL;
        if (pFrame != NULL)
        {
            pFrame->ActivateFrame();
            CFrameWnd* pAppFrame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
            if (pAppFrame != NULL && pAppFrame != pFrame)
                pAppFrame->ActivateFrame();
        }
        return pOpenDocument;
    }
    if (pBestTemplate == NULL)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return NULL;
    }
    return pBestTemplate->OpenDocumentFile(szPath);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        if (!static_cast<CDocTemplate*>(m_templateList.GetNext(pos))->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
        static_cast<CDocTemplate*>(m_templateList.GetNext(pos))->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount()
{
    int nCount = 0;
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL; pTemplate->GetNextDoc(posDoc))
            nCount++;
    }
    return nCount;
}

// The file dialogs

namespace {

// Adds the template's filter ("Sheets (*.shx)|*.shx|") when it has one; TRUE then.
BOOL AppendFilter(CString& strFilter, CDocTemplate* pTemplate, CString* pstrExt)
{
    CString strFilterExt, strFilterName;
    if (!pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt) || strFilterExt.IsEmpty()
        || !pTemplate->GetDocString(strFilterName, CDocTemplate::filterName) || strFilterName.IsEmpty())
        return FALSE;
    strFilter += strFilterName + "|*" + strFilterExt + "|";
    if (pstrExt != NULL)
        *pstrExt = strFilterExt[0] == '.' ? strFilterExt.Mid(1) : strFilterExt;
    return TRUE;
}

} // namespace

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    // The given template's filter, or every template's; the first one's is chosen.
    CString strFilter, strDefExt;
    int nFilters = 0;
    if (pTemplate != NULL)
    {
        nFilters += AppendFilter(strFilter, pTemplate, &strDefExt);
    }
    else
    {
        for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
        {
            CDocTemplate* pEach = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
            nFilters += AppendFilter(strFilter, pEach, strDefExt.IsEmpty() ? &strDefExt : NULL);
        }
    }
    CString strAll;
    strAll.LoadString(AFX_IDS_ALLFILTER);
    strFilter += strAll + "|*.*||";

    CFileDialog dlg(bOpenFileDialog, strDefExt.IsEmpty() ? NULL : (LPCTSTR)strDefExt, fileName,
                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | lFlags, strFilter, NULL);
    CString strTitle;
    strTitle.LoadString(nIDSTitle);
    dlg.m_ofn.lpstrTitle = strTitle;
    dlg.m_ofn.nFilterIndex = nFilters > 0 ? 1 : 0;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

// The File commands

void CWinApp::OnFileNew()
{
    if (m_templateList.IsEmpty())
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetHead());
    if (m_templateList.GetCount() > 1)
    {
        CNewTypeDlg dlg(&m_templateList);
        if (dlg.DoModal() != IDOK)
            return;
        pTemplate = dlg.m_pSelectedTemplate;
    }
    pTemplate->OpenDocumentFile(NULL);
}

void CWinApp::OnFileOpen()
{
    CString strName;
    if (DoPromptFileName(strName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL))
        OpenDocumentFile(strName);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    int nIndex = (int)nID - ID_FILE_MRU_FILE1;
    if (m_pRecentFileList == NULL || nIndex < 0 || nIndex >= m_pRecentFileList->GetSize()
        || (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    // The name is copied: opening changes the list.
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strPath) == NULL)
    {
        // The place of the file may have moved meanwhile.
        for (int i = 0; i < m_pRecentFileList->GetSize(); i++)
        {
            if ((*m_pRecentFileList)[i].CompareNoCase(strPath) == 0)
            {
                m_pRecentFileList->Remove(i);
                break;
            }
        }
    }
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == NULL)
        pCmdUI->Enable(FALSE);
    else
        m_pRecentFileList->UpdateMenu(pCmdUI);
}
