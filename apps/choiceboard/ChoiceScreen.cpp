// CChoiceScreen.
#include "ChoiceScreen.h"
#include "Choice.h"

#include "hoard/sound/Wav.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/pictures/DrawableResource.h"

#include <typeinfo>
#include <vector>

namespace {

// Gives pTo the stored record of pFrom, a container without children: bounds, frame,
// fill, name, state and sizes, as reading it back from a document would.
void CopyRecord(CContainer* pFrom, CContainer* pTo)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pFrom->Serialize(ar);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    pTo->Serialize(ar);
}

} // namespace

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
    // Each child, or its choice, goes to the tail in turn: the order stays.
    const auto& children = pParent->GetChildList();
    std::vector<CContainer*> order;
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        order.push_back(children.GetNext(pos));
    for (CContainer* pChild : order)
    {
        if (!pChild->GetChildList().IsEmpty() || pChild->GetName().IsEmpty() ||
            typeid(*pChild) != typeid(CContainer))
        {
            nMade += MakeChoices(pChild, pLog);
            pParent->MoveChildToBottom(pChild);
            continue;
        }
        auto* pPicture = dynamic_cast<CDrawableResource*>(m_hoard.GetResource("CPicture", pChild->GetName()));
        auto* pSound = dynamic_cast<const CWav*>(m_hoard.GetResource("CWav", pChild->GetName()));
        std::unique_ptr<CChoice> pChoice(new CChoice(pPicture, pSound, pLog));
        CopyRecord(pChild, pChoice.get());
        pParent->RemoveChild(pChild);
        delete pChild;
        pParent->AddChild(pChoice.release());
        ++nMade;
    }
    return nMade;
}
