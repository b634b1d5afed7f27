// CChoiceLink: a choice's picture, sound and linked board, and their file record.
#include "limn/containers/ChoiceLink.h"

#include "limn/containers/OwnedObject.h"

#include "hoard/resources/Hoard.h"

#include <string.h>

IMPLEMENT_SERIAL(CChoiceLink, CResource, 0)

CChoiceLinkClass CChoiceLink::m_resInfo(RUNTIME_CLASS(CChoiceLink));

namespace {

const WORD wLinkVersion = 1;
const char szLinkType[] = "CChoiceLink";

} // namespace

CChoiceLink::CChoiceLink() = default;

CChoiceLink* CChoiceLink::New(CHoard& hoard, const char* pszName)
{
    return static_cast<CChoiceLink*>(hoard.NewResource(szLinkType, pszName));
}

CChoiceLink* CChoiceLink::Find(CHoard& hoard, const char* pszName)
{
    return dynamic_cast<CChoiceLink*>(hoard.GetResource(szLinkType, pszName));
}

CResource* CChoiceLink::ResourceOf(CHoard& hoard, const char* pszChoice, const char* pszType)
{
    if (CChoiceLink* pLink = Find(hoard, pszChoice))
    {
        CResource* pLinked = strcmp(pszType, "CPicture") == 0 ? pLink->GetPicture()
                             : strcmp(pszType, "CWav") == 0   ? pLink->GetSound()
                                                               : NULL;
        if (pLinked != NULL)
            return pLinked;
    }
    return hoard.GetResource(pszType, pszChoice);
}

void CChoiceLink::ResolveAll(CHoard& hoard)
{
    const CResourceList* pList = hoard.GetResourceList(szLinkType);
    if (pList == NULL)
        return;
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
    {
        if (auto* pLink = dynamic_cast<CChoiceLink*>(pList->GetNext(pos)))
        {
            pLink->GetPicture();
            pLink->GetSound();
        }
    }
}

CResource* CChoiceLink::Resolve(CTarget& target, CString& strPending, const char* pszType)
{
    if (target.Get() == NULL && !strPending.IsEmpty() && m_pHoard != NULL)
    {
        target = m_pHoard->GetResource(pszType, strPending);
        if (target.Get() != NULL)
            strPending.Empty();
    }
    return target.Get();
}

CResource* CChoiceLink::GetPicture() { return Resolve(m_picture, m_strPendingPicture, "CPicture"); }

CResource* CChoiceLink::GetSound() { return Resolve(m_sound, m_strPendingSound, "CWav"); }

void CChoiceLink::SetPicture(CResource* pPicture)
{
    m_picture = pPicture;
    m_strPendingPicture.Empty();
}

void CChoiceLink::SetSound(CResource* pSound)
{
    m_sound = pSound;
    m_strPendingSound.Empty();
}

// A target that was never resolved keeps the name it was read with.
CString CChoiceLink::NameOf(const CTarget& target, const CString& strPending)
{
    return target.Get() != NULL ? target.Get()->GetName() : strPending;
}

void CChoiceLink::Serialize(CArchive& ar)
{
    CResource::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << wLinkVersion << NameOf(m_picture, m_strPendingPicture) << NameOf(m_sound, m_strPendingSound)
           << m_strBoard;
        return;
    }
    WORD wVersion;
    ar >> wVersion;
    if (wVersion != wLinkVersion)
        ThrowDamagedArchive(ar);
    m_picture = NULL;
    m_sound = NULL;
    ar >> m_strPendingPicture >> m_strPendingSound >> m_strBoard;
}
