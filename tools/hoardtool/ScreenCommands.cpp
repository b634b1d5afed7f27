// hoardtool's commands on screen documents: the main container tree that stands ahead
// of their resources.
#include "Commands.h"
#include "ToolError.h"
#include "ToolFile.h"

#include "limn/containers/MainContainerRecord.h"

#include <stdio.h>

#include <memory>
#include <string>

namespace {

// The name between double quotes, with quotes, backslashes and control characters
// escaped so that every container stays on one line.
std::string Quoted(const CString& strName)
{
    std::string str = "\"";
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        unsigned char ch = (unsigned char)strName[i];
        if (ch == '"' || ch == '\\')
        {
            str += '\\';
            str += (char)ch;
        }
        else if (ch < 0x20 || ch == 0x7F)
        {
            char szEscape[8];
            snprintf(szEscape, sizeof szEscape, "\\x%02X", ch);
            str += szEscape;
        }
        else
        {
            str += (char)ch;
        }
    }
    return str + "\"";
}

// Depth first from pContainer, children head first, two spaces a level.
void PrintTree(const CContainer* pContainer, int nDepth)
{
    const CRect& rect = pContainer->GetBounds();
    printf("%*s%s %s %ld %ld %ld %ld\n", 2 * nDepth, "", pContainer->GetRuntimeClass()->m_lpszClassName,
           Quoted(pContainer->GetName()).c_str(), rect.left, rect.top, rect.right, rect.bottom);
    const auto& children = pContainer->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        PrintTree(children.GetNext(pos), nDepth + 1);
}

// The tree is read as a document reads it, which arranges every container once,
// deepest first; the resources after it are left alone.
int TreeOf(const char* pszPath)
{
    if (!CToolFile::IsScreenDocument(pszPath))
        Fail("%s is not a screen document: nothing stands ahead of its resources", pszPath);
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load);
    CWndContainer* pMain = NULL;
    CMainContainerRecord(pMain).Serialize(ar);
    std::unique_ptr<CWndContainer> pOwner(pMain);
    if (pMain != NULL)
        PrintTree(pMain, 0);
    return 0;
}

} // namespace

int Tree(int argc, char** argv) { return TreeOf(argv[0]); }
