// CHoard's paste from the bytes of the two clipboard streams: the descriptor read, the
// question about names already taken, the resources read into this file and the
// replacement of the old resources. The resource stream is an archive list of
// resources as a resource file stores them; the descriptor is their type name and then
// their names, as a string array. HoardClipboard.cpp writes the streams for a copy and
// takes private copies of them from the clipboard for a paste.
#include "hoard/resources/Hoard.h"

#include "hoard/data/ReloadableData.h"
#include "hoard/res/resource.h"
#include "hoard/resources/ResourceMessages.h"
#include "hoard/resources/ResourcePtr.h"
#include "hoard/runtime/HoardModule.h"
#include "hoard/runtime/MappedString.h"
#include "hoard/runtime/Message.h"

#include <afxwin.h>

#include <exception>
#include <memory>
#include <vector>

namespace {

// Follows a resource without counting in its usage: null once it is destroyed.
class CResourceWatch : public CResourcePtrBase
{
public:
    explicit CResourceWatch(CResource* pRes) : CResourcePtrBase(pRes, FALSE) {}
    using CResourcePtrBase::operator=;
    CResource* Get() const { return GetResourcePtr(); }
};

} // namespace

void CHoard::ReadDescriptorStream(const BYTE* pDescriptor, UINT nDescriptor, CString& strType, CStringArray& names)
{
    CMemFile file(const_cast<BYTE*>(pDescriptor), nDescriptor);
    CArchive ar(&file, CArchive::load);
    ar >> strType;
    names.Serialize(ar);
}

// The paste

// What a paste keeps of the resources it deals with, through watches, since handlers
// of the messages it sets off may destroy any resource: the clashing resources to be
// replaced, and every resource that entered this file while the stream was read,
// with the name it had on the clipboard (entering renames a resource whose name is
// taken: the first rename it announces gives the name it came with).
class CHoard::CPasteRecord : public CMessageReceiver
{
public:
    struct CPasted
    {
        explicit CPasted(CResource* pRes, const CString& strClipName) : watch(pRes), strClipName(strClipName) {}
        CResourceWatch watch;
        CString strClipName;
        BOOL bListed = FALSE;       // read as an element of the stream's list
        BOOL bReplaced = FALSE;     // has taken an old resource's place
    };

    explicit CPasteRecord(const CHoard& hoard) : m_hoard(hoard) {}

    void OnMessage(Message* pMsg) override
    {
        if (!m_bReading)
            return;
        if (auto* pRenamed = dynamic_cast<MsgRenamedResource*>(pMsg))
        {
            if (m_pRenamed == NULL && Find(pRenamed->m_pResource) == NULL)
            {
                m_pRenamed = pRenamed->m_pResource;
                m_strRenamedFrom = pRenamed->m_pszOldName;
            }
        }
        else if (auto* pAdded = dynamic_cast<MsgAddedResource*>(pMsg))
        {
            CResource* pRes = pAdded->m_pResource;
            if (pRes->GetHoard() == &m_hoard && Find(pRes) == NULL)
                Add(pRes, pRes == m_pRenamed ? m_strRenamedFrom : pRes->GetName());
            m_pRenamed = NULL;
        }
    }

    // The entry of a live resource, or null.
    CPasted* Find(CResource* pRes) const
    {
        for (const auto& pPasted : m_pasted)
        {
            if (pRes != NULL && pPasted->watch.Get() == pRes)
                return pPasted.get();
        }
        return NULL;
    }
    CPasted* Add(CResource* pRes, const CString& strClipName)
    {
        m_pasted.push_back(std::make_unique<CPasted>(pRes, strClipName));
        return m_pasted.back().get();
    }
    void AddClash(CResource* pRes)
    {
        for (const auto& pClash : m_clashes)
        {
            if (pClash->Get() == pRes)
                return;
        }
        m_clashes.push_back(std::make_unique<CResourceWatch>(pRes));
    }

    const CHoard& m_hoard;
    std::vector<std::unique_ptr<CResourceWatch>> m_clashes;
    std::vector<std::unique_ptr<CPasted>> m_pasted;
    BOOL m_bReading = FALSE;
    CResource* m_pRenamed = NULL;
    CString m_strRenamedFrom;
};

void CHoard::PasteStreams(const BYTE* pDescriptor, UINT nDescriptor, const BYTE* pResources, UINT nResources,
                          CResourceList& list)
{
    // Without resources there is nothing to paste, and nothing to ask.
    if (pResources == NULL)
        return;

    // The resources of this file that have the names of those on the clipboard.
    CPasteRecord record(*this);
    if (pDescriptor != NULL)
    {
        CString strType;
        CStringArray names;
        ReadDescriptorStream(pDescriptor, nDescriptor, strType, names);
        for (INT_PTR i = 0; i < names.GetSize(); ++i)
        {
            if (CResource* pClash = GetResource(strType, names[i]))
                record.AddClash(pClash);
        }
        if (!record.m_clashes.empty())
        {
            switch (AskToReplace(strType))
            {
            case IDYES:
                break;
            case IDNO:
                record.m_clashes.clear();
                break;
            default:
                return;
            }
        }
    }

    // Damage ends the reading, but what was read is still pasted as the user chose;
    // the first failure goes to the caller once the paste has ended.
    CMemFile file(const_cast<BYTE*>(pResources), nResources);
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = m_pDocument;
    struct CPasting
    {
        explicit CPasting(const CHoard& hoard) : m_hoard(hoard) { m_hoard.PrePaste(); }
        ~CPasting() { m_hoard.PostPaste(); }
        const CHoard& m_hoard;
    } pasting(*this);
    CReloadableData::m_pCurFileReference = NULL;
    std::exception_ptr pFailure;
    try
    {
        ReadPasted(ar, record);
    }
    catch (...)
    {
        pFailure = std::current_exception();
    }
    ar.Abort();
    try
    {
        ReplaceClashes(record);
    }
    catch (CException* e)
    {
        if (pFailure)
            e->Delete();
        else
            pFailure = std::current_exception();
    }
    catch (...)
    {
        if (!pFailure)
            pFailure = std::current_exception();
    }

    // The list gets what was read and stayed in this file; the rest is destroyed.
    for (const auto& pPasted : record.m_pasted)
    {
        CResource* pRes = pPasted->watch.Get();
        if (pRes == NULL || !pPasted->bListed)
            continue;
        if (ListOf(pRes) != NULL)
            list.AddTail(pRes);
        else
            delete pRes;
    }
    if (pFailure)
        std::rethrow_exception(pFailure);
}

int CHoard::AskToReplace(const char* pszType) const
{
    CString strPluralKey = CString(pszType) + "Plural";
    CString strPlural = (const char*)CMappedString(strPluralKey);
    LPCSTR args[] = { strPlural };
    CString strQuestion;
    AfxFormatStrings(strQuestion, HoardLoadString(IDS_PASTE_REPLACE), args, 1);
    return AfxMessageBox(strQuestion, MB_YESNOCANCEL);
}

void CHoard::ReadPasted(CArchive& ar, CPasteRecord& record)
{
    struct CReading
    {
        explicit CReading(CPasteRecord& record) : m_record(record) { m_record.m_bReading = TRUE; }
        ~CReading() { m_record.m_bReading = FALSE; }
        CPasteRecord& m_record;
    } reading(record);
    try
    {
        for (DWORD nLeft = ar.ReadCount(); nLeft != 0; --nLeft)
        {
            record.m_pRenamed = NULL;
            auto* pRes = static_cast<CResource*>(ar.ReadObject(RUNTIME_CLASS(CResource)));
            if (pRes == NULL)
                continue;
            // A resource that did not enter this file is listed too, to be destroyed.
            CPasteRecord::CPasted* pPasted = record.Find(pRes);
            if (pPasted == NULL)
                pPasted = record.Add(pRes, pRes->GetName());
            pPasted->bListed = TRUE;
        }
    }
    catch (CResource* pThrown)
    {
        // A type that cannot complete its resource throws it. The archive has already
        // destroyed the resource it was reading; one that is still alive goes here.
        if (record.Find(pThrown) != NULL)
            delete pThrown;
    }
}

void CHoard::ReplaceClashes(CPasteRecord& record)
{
    for (const auto& pClash : record.m_clashes)
    {
        CResource* pOld = pClash->Get();
        if (pOld == NULL)
            continue;
        // The pasted resource of the old one's type that came under its name.
        CResource* pNew = NULL;
        for (const auto& pPasted : record.m_pasted)
        {
            CResource* pRes = pPasted->watch.Get();
            if (pRes != NULL && pPasted->bListed && !pPasted->bReplaced && pRes != pOld &&
                ListOf(pRes) != NULL && pRes->GetRuntimeClass() == pOld->GetRuntimeClass() &&
                pPasted->strClipName.CompareNoCase(pOld->GetName()) == 0)
            {
                pPasted->bReplaced = TRUE;
                pNew = pRes;
                break;
            }
        }
        if (pNew == NULL)
            continue;
        CString strName = pOld->GetName();
        *pClash = (CResource*)NULL;
        CResourcePtrData::OnResourceCollapsed(pNew, pOld);
        delete pOld;
        // Announced: a receiver may destroy any resource, which the watches then tell.
        pNew->SetName(strName);
    }
}
