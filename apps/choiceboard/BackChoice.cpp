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

int Grown(LONG nSide, int nBy) { return (int)std::min<LONG>(nSide + nBy, CContainer::maxCoordinate); }

} // namespace

void PlaceBackChoice(CWndContainer* pRoot, CContainer* pBack)
{
    pBack->SetFillColor(crFill);
    pBack->SetFrame(new CContainer3DFrame(RGB(160, 160, 160), 4, 1, 140, 140, 60, 60));
    CRect rectRoot = pRoot->GetBounds();
    switch (pRoot->GetArrangeMethod())
    {
    case arrangeVertical:
        pBack->SetPreferredSize(CSize(-1, nStrip));
        rectRoot.bottom = Grown(rectRoot.bottom, nStrip + nGap);
        break;
    case arrangeNone:
    {
        // The children move down below the strip.
        const auto& children = pRoot->GetChildList();
        for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        {
            CContainer* pChild = children.GetNext(pos);
            CRect rect = pChild->GetBounds();
            rect.OffsetRect(0, std::min<LONG>(nStrip + nGap, CContainer::maxCoordinate - rect.bottom));
            pChild->SetBounds(rect);
        }
        CRect rectClient;
        pRoot->GetClientRect(&rectClient);
        pBack->SetBounds(CRect(nGap, nGap, std::max(nGap + nStrip, (int)rectClient.right - nGap), nGap + nStrip));
        rectRoot.bottom = Grown(rectRoot.bottom, nStrip + nGap);
        break;
    }
    default:
        pBack->SetPreferredSize(CSize(nStrip, -1));
        rectRoot.right = Grown(rectRoot.right, nStrip + nGap);
        break;
    }
    pRoot->AddChild(pBack, TRUE);
    pRoot->SetBounds(rectRoot);
}
