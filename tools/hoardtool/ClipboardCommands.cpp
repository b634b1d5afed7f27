// hoardtool's commands on the clipboard: resources copied from a file, pasted into one,
// and what the clipboard holds.
#include "Commands.h"
#include "FollowedResource.h"
#include "ToolError.h"
#include "ToolFile.h"
#include "TypeNames.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/resources/ResourceMessages.h"

#include <afxwin.h>

#include <stdio.h>
#include <string.h>

#include <map>
#include <memory>
#include <vector>

namespace {

// Answers the question a paste asks when resources of the clipboard's names are in the
// file, with the answer an option gave; without one, the paste is cancelled.
class CAnsweringApp : public CWinApp
{
public:
    explicit CAnsweringApp(int nAnswer) : m_nAnswer(nAnswer), m_bAsked(FALSE) {}
    int DoMessageBox(LPCTSTR, UINT, UINT) override
    {
        m_bAsked = TRUE;
        return m_nAnswer;
    }
    int m_nAnswer;
    BOOL m_bAsked;
};

// The name each resource had before its first rename during a paste: entering a file
// renames a resource whose name is taken, and a replacement takes the name back.
class CFirstNames : public CMessageReceiver
{
public:
    void OnMessage(Message* pMsg) override
    {
        if (auto* pRenamed = dynamic_cast<MsgRenamedResource*>(pMsg))
            m_names.emplace(pRenamed->m_pResource, pRenamed->m_pszOldName);
    }
    std::map<CResource*, CString> m_names;
};

// The names of the file's resources of the type that the clipboard's descriptor names.
CString ClashesIn(CHoard& hoard)
{
    CString strType, strClashes;
    CStringArray names;
    if (!CHoard::ReadClipboardDescriptor(strType, names))
        return strClashes;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        if (CResource* pRes = hoard.GetResource(strType, names[i]))
            strClashes += (strClashes.IsEmpty() ? "" : ", ") + pRes->GetName();
    }
    return strClashes;
}

// Every named resource once, in the order named.
int CopyFrom(const char* pszPath, const char* pszType, int nNames, char** ppszNames, BOOL bWait)
{
    CResourceClass* pClass = TypeNamed(pszType);
    CToolFile file(pszPath);
    CResourceList list;
    for (int i = 0; i < nNames; ++i)
    {
        CResource* pRes = file.m_hoard.GetResource(pClass->GetClassName(), ppszNames[i]);
        if (pRes == NULL)
            Fail("there is no %s named \"%s\"; nothing copied", (LPCSTR)pClass->GetName(), ppszNames[i]);
        if (list.Find(pRes) == NULL)
            list.AddTail(pRes);
    }
    file.m_hoard.OnCopyGeneric(list);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        printf("copied %s %s\n", (LPCSTR)pClass->GetName(), (LPCSTR)list.GetNext(pos)->GetName());
    if (bWait)
    {
        // The program that copied stays, as an application would, until it is told
        // to go by the end of its input. Meanwhile it takes its messages, as an
        // application does: a program that empties the clipboard waits for the owner
        // window of this thread to answer.
        fflush(stdout);
        HANDLE hInputEnded = ::CreateThread(
            NULL, 0,
            [](LPVOID) -> DWORD {
                while (getchar() != EOF)
                {
                }
                return 0;
            },
            NULL, 0, NULL);
        if (hInputEnded == NULL)
            Fail("cannot wait for the end of the input");
        while (::MsgWaitForMultipleObjects(1, &hInputEnded, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        {
            MSG msg;
            while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
                ::DispatchMessage(&msg);
        }
        ::CloseHandle(hInputEnded);
    }
    return 0;
}

// A pasted resource, with what is said of it once the file is saved.
struct PastedResource
{
    CString strName;
    CString strLine;
    std::unique_ptr<CFollowedResource> pFollowed;
};

// "pasted TYPE NAME", and how it got its name: the one it came with was taken, or it
// replaced the resource of that name.
CString PastedLine(CResource* pRes, const CFirstNames& firstNames)
{
    CString strLine;
    strLine.Format("pasted %s %s", (LPCSTR)TypeNameOf(pRes), (LPCSTR)pRes->GetName());
    auto first = firstNames.m_names.find(pRes);
    if (first == firstNames.m_names.end() || first->second.IsEmpty())
        return strLine;
    if (first->second == pRes->GetName())
        return strLine + ", replacing the one of that name";
    return strLine + ", renamed from " + first->second;
}

// Nothing is said to be pasted before the file is saved. A resource that saving merged
// into an identical one is said to be kept once, under the name of the one kept.
int PasteInto(const char* pszPath, int nAnswer)
{
    if (!CHoard::CanPasteGeneric(NULL))
        Fail("the clipboard holds no resources; %s is unchanged", pszPath);
    CToolFile file(pszPath, TRUE);
    CString strClashes = ClashesIn(file.m_hoard);
    CAnsweringApp app(nAnswer);
    CFirstNames firstNames;
    CResourceList list;
    try
    {
        file.m_hoard.OnPasteGeneric(list);
    }
    catch (CException* e)
    {
        CString strWhy = ToolExceptionText(e);
        e->Delete();
        Fail("the resources on the clipboard are damaged: %s; %s", (LPCSTR)strWhy, (LPCSTR)file.Unchanged());
    }
    if (app.m_bAsked && nAnswer == IDCANCEL)
        Fail("%s already holds %s; paste with --replace or --rename; %s", pszPath, (LPCSTR)strClashes,
             (LPCSTR)file.Unchanged());
    std::vector<PastedResource> pasted;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CResource* pRes = list.GetNext(pos);
        pasted.push_back({ pRes->GetName(), PastedLine(pRes, firstNames), std::make_unique<CFollowedResource>(pRes) });
    }
    file.Save();
    for (const PastedResource& resource : pasted)
    {
        CResource* pKept = resource.pFollowed->Get();
        if (pKept != NULL && pKept->GetName().CompareNoCase(resource.strName) != 0)
            printf("%s: the same %s as %s, kept once, as %s\n", (LPCSTR)resource.strLine, (LPCSTR)TypeNameOf(pKept),
                   (LPCSTR)pKept->GetName(), (LPCSTR)pKept->GetName());
        else
            printf("%s\n", (LPCSTR)resource.strLine);
    }
    return 0;
}

int ShowClipboard()
{
    CString strType;
    CStringArray names;
    try
    {
        if (CHoard::ReadClipboardDescriptor(strType, names))
        {
            CResourceClass* pClass = CResourceClass::GetResourceClass(strType);
            if (pClass != NULL)
                printf("descriptor: %s (%s)\n", (LPCSTR)pClass->GetName(), (LPCSTR)strType);
            else
                printf("descriptor: %s, a type unknown here\n", (LPCSTR)strType);
            for (INT_PTR i = 0; i < names.GetSize(); ++i)
                printf("name: %s\n", (LPCSTR)names[i]);
        }
        else
        {
            printf("descriptor: none\n");
        }
    }
    catch (CException* e)
    {
        CString strWhy = ToolExceptionText(e);
        e->Delete();
        Fail("the descriptor on the clipboard is damaged: %s", (LPCSTR)strWhy);
    }
    printf("resources: %s\n", CHoard::CanPasteGeneric(NULL) ? "yes" : "no");
    printf("picture as CF_DIB: %s\n", ::IsClipboardFormatAvailable(CF_DIB) ? "yes" : "no");
    return 0;
}

} // namespace

int Copy(int argc, char** argv)
{
    BOOL bWait = strcmp(argv[argc - 1], "--wait") == 0;
    if (bWait)
        --argc;
    if (argc < 3)
        Fail("copy needs a file, a type and at least one name");
    return CopyFrom(argv[0], argv[1], argc - 2, argv + 2, bWait);
}

int Paste(int argc, char** argv)
{
    int nAnswer = IDCANCEL;
    if (argc == 2)
    {
        if (strcmp(argv[1], "--replace") == 0)
            nAnswer = IDYES;
        else if (strcmp(argv[1], "--rename") == 0)
            nAnswer = IDNO;
        else
            Fail("paste takes --replace or --rename, not %s", argv[1]);
    }
    return PasteInto(argv[0], nAnswer);
}

int Clipboard(int, char**) { return ShowClipboard(); }
