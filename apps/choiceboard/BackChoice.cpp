// The strip of the "back" choice.
#include "BackChoice.h"

#include "limn/containers/Container3DFrame.h"
#include "limn/containers/WndContainer.h"

#include <algorithm>

namespace {

// The strip's height (its width in a row) and the space around it.
const int nStrip = 48;
const int nGap = 8;
const COLORREF crFill = RGB(255, 255, 255);

LONG Moved(LONG n, int nBy) { return std::clamp<LONG>(n + nBy, -CContainer::maxCoordinate, CContainer::maxCoordinate); }

// Grows (nSign 1) or shrinks (nSign -1) the screen by the strip; on a screen that places
// its children itself, the children other than pBack move down or up with it.
void MakeRoom(CWndContainer* pRoot, const CContainer* pBack, int nSign)
{
    const int nBy = nSign * (nStrip + nGap);
    CRect rectRoot = pRoot->GetBounds();
    switch (pRoot->GetArrangeMethod())
    {
    case arrangeNone:
    {
        const auto& children = pRoot->GetChildList();
        for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        {
            CContainer* pChild = children.GetNext(pos);
            if (pChild == pBack)
                continue;
            const CRect& rect = pChild->GetBounds();
            pChild->SetBounds(CRect(rect.left, Moved(rect.top, nBy), rect.right, Moved(rect.bottom, nBy)));
        }
        rectRoot.bottom = Moved(rectRoot.bottom, nBy);
        break;
    }
    case arrangeVertical:
        rectRoot.bottom = Moved(rectRoot.bottom, nBy);
        break;
    default:
        rectRoot.right = Moved(rectRoot.right, nBy);
        break;
    }
    pRoot->SetBounds(rectRoot);
}

} // namespace

void PlaceBackChoice(CWndContainer* pRoot, CContainer* pBack)
{
    pBack->SetFillColor(crFill);
    pBack->SetFrame(new CContainer3DFrame(RGB(160, 160, 160), 4, 1, 140, 140, 60, 60));
    pBack->SetPrintable(FALSE);
    switch (pRoot->GetArrangeMethod())
    {
    case arrangeNone:
    {
        CRect rectClient;
        pRoot->GetClientRect(&rectClient);
        pBack->SetBounds(CRect(nGap, nGap, std::max(nGap + nStrip, (int)rectClient.right - nGap), nGap + nStrip));
        break;
    }
    case arrangeVertical:
        pBack->SetPreferredSize(CSize(-1, nStrip));
        break;
    default:
        pBack->SetPreferredSize(CSize(nStrip, -1));
        break;
    }
    MakeRoom(pRoot, pBack, 1);
    pRoot->AddChild(pBack, TRUE);
}

CBackChoiceAside::CBackChoiceAside(CWndContainer* pRoot, CContainer* pBack) : m_pRoot(pRoot), m_pBack(pBack)
{
    m_pRoot->RemoveChild(m_pBack);
    MakeRoom(m_pRoot, m_pBack, -1);
}

CBackChoiceAside::~CBackChoiceAside()
{
    MakeRoom(m_pRoot, m_pBack, 1);
    m_pRoot->AddChild(m_pBack, TRUE);
}
