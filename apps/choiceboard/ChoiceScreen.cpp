// CChoiceScreen.
#include "ChoiceScreen.h"
#include "Choice.h"

#include "hoard/sound/Wav.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/NamedPictures.h"
#include "limn/pictures/DrawableResource.h"

#include <typeinfo>

CChoiceScreen::CChoiceScreen() : m_nChoices(0) {}

CChoiceScreen::~CChoiceScreen() { m_pRoot.reset(); }

CChoiceScreen::LoadResult CChoiceScreen::Load(const char* pszPath, CEventLog* pLog)
{
    if (!CMainContainerRecord::IsScreenDocument(pszPath))
        return notScreenDocument;
    m_pRoot.reset(CMainContainerRecord::LoadFile(pszPath, m_hoard));
    if (m_pRoot == NULL || m_pRoot->GetChildList().IsEmpty())
        return noScreen;
    m_nChoices = MakeChoices(m_pRoot.get(), pLog);
    return m_nChoices != 0 ? loaded : noChoices;
}

int CChoiceScreen::MakeChoices(CContainer* pParent, CEventLog* pLog)
{
    int nMade = 0;
    const auto& children = pParent->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
    {
        CContainer* pChild = children.GetNext(pos);
        if (!pChild->GetChildList().IsEmpty() || pChild->GetName().IsEmpty() ||
            typeid(*pChild) != typeid(CContainer))
        {
            nMade += MakeChoices(pChild, pLog);
            continue;
        }
        auto* pPicture = dynamic_cast<CDrawableResource*>(m_hoard.GetResource("CPicture", pChild->GetName()));
        auto* pSound = dynamic_cast<const CWav*>(m_hoard.GetResource("CWav", pChild->GetName()));
        ReplaceLeaf(pChild, new CChoice(pPicture, pSound, pLog));
        ++nMade;
    }
    return nMade;
}
