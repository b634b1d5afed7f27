// ReadBoard: the title, rows and cells of a board's tree, and what each choice's link names.
#include "BoardReader.h"

#include "limn/containers/ChoiceLink.h"
#include "limn/containers/Container.h"
#include "limn/containers/Container3DFrame.h"

#include <limits.h>
#include <stdlib.h>

namespace {

BOOL IsLeaf(const CContainer* pContainer) { return pContainer->GetChildList().IsEmpty(); }

BOOL IsRow(const CContainer* pContainer) { return pContainer->GetArrangeMethod() >= arrangeHorizontal; }

// How far the shades that color gives in frame's bevel are from frame's own, channel by
// channel (shift 0 red, 8 green, 16 blue).
int ShadeDistance(const CContainer3DFrame& frame, COLORREF color, int nShift)
{
    const CContainer3DFrame probe(color, 1, 0, frame.GetPercent(0), frame.GetPercent(1), frame.GetPercent(2),
                                  frame.GetPercent(3));
    int nDistance = 0;
    for (int nSide = 0; nSide < 4; ++nSide)
    {
        const int nProbe = (probe.GetShade(nSide) >> nShift) & 0xFF;
        const int nOwn = (frame.GetShade(nSide) >> nShift) & 0xFF;
        nDistance += abs(nProbe - nOwn);
    }
    return nDistance;
}

// A bevel keeps the shades of its colour. The builder puts the colour itself in the
// frame's own colour, which the bevel does not draw; a bevel whose own colour does not
// give its shades (another program's) gets, channel by channel, the first value whose
// shades come nearest to its own.
COLORREF FrameColorOf(const CContainerFrame& frame)
{
    const auto* pBevel = dynamic_cast<const CContainer3DFrame*>(&frame);
    if (pBevel == NULL)
        return frame.GetColor();
    const COLORREF crOwn = frame.GetColor();
    if (ShadeDistance(*pBevel, crOwn, 0) + ShadeDistance(*pBevel, crOwn, 8) + ShadeDistance(*pBevel, crOwn, 16) == 0)
        return crOwn;
    COLORREF crNearest = 0;
    for (int nShift = 0; nShift <= 16; nShift += 8)
    {
        int nBest = INT_MAX, nBestValue = 0;
        for (int nValue = 0; nValue < 256; ++nValue)
        {
            const int nDistance = ShadeDistance(*pBevel, RGB(nValue, nValue, nValue), nShift);
            if (nDistance < nBest)
                nBest = nDistance, nBestValue = nValue;
        }
        crNearest |= (COLORREF)nBestValue << nShift;
    }
    return crNearest;
}

BoardChoice ChoiceOf(const CContainer* pCell, CHoard& hoard)
{
    BoardChoice choice;
    choice.strName = pCell->GetName();
    choice.pPicture = CChoiceLink::ResourceOf(hoard, choice.strName, "CPicture");
    choice.pSound = CChoiceLink::ResourceOf(hoard, choice.strName, "CWav");
    choice.crFill = pCell->GetFillColor();
    const CContainerFrame* pFrame = pCell->GetFrame();
    choice.crFrame = pFrame != NULL ? FrameColorOf(*pFrame) : choice.crFill;
    if (CChoiceLink* pLink = CChoiceLink::Find(hoard, choice.strName))
        choice.strBoard = pLink->GetBoard();
    return choice;
}

} // namespace

BOOL ReadBoard(const CContainer* pRoot, CHoard& hoard, BoardContents& contents, CString& strWhy)
{
    contents = BoardContents();
    BoardContents board;
    if (pRoot == NULL)
    {
        strWhy = "it holds no screen";
        return FALSE;
    }
    int nChoices = 0;
    const auto& children = pRoot->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
    {
        const CContainer* pChild = children.GetNext(pos);
        if (!IsRow(pChild))
        {
            if (pChild != children.GetHead() || !IsLeaf(pChild))
            {
                strWhy.Format("its container \"%s\" is neither its title nor a row of choices",
                              (LPCSTR)pChild->GetName());
                return FALSE;
            }
            board.strTitle = pRoot->GetName();
            continue;
        }
        auto& row = board.rows.emplace_back();
        const auto& cells = pChild->GetChildList();
        for (POSITION posCell = cells.GetHeadPosition(); posCell != NULL;)
        {
            const CContainer* pCell = cells.GetNext(posCell);
            if (!IsLeaf(pCell))
            {
                strWhy.Format("the cell \"%s\" of its row \"%s\" holds containers of its own",
                              (LPCSTR)pCell->GetName(), (LPCSTR)pChild->GetName());
                return FALSE;
            }
            if (pCell->GetName().IsEmpty())
            {
                row.emplace_back(std::nullopt);
                continue;
            }
            row.emplace_back(ChoiceOf(pCell, hoard));
            ++nChoices;
        }
    }
    if (nChoices == 0)
    {
        strWhy = "it has no rows of choices";
        return FALSE;
    }
    contents = std::move(board);
    return TRUE;
}
