// CBoardBuilder: the rows of choices, their links, and the tree made of them.
#include "BoardBuilder.h"
#include "LabelPicture.h"

#include "limn/containers/ChoiceLink.h"
#include "limn/containers/Container3DFrame.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"

#include <memory>

namespace {

const COLORREF crTitle = RGB(255, 255, 204);
const int nTitleHeight = 56;
const int nGap = 8;
// Every cell has the same minimum size with its frame, empty ones too, so the cells of a
// row share its width equally.
const CSize sizeCellMinimum(32, 32);

// The bevel draws shades of the colour; the frame's own colour, which it does not draw
// but its record keeps, is the colour itself, so that ReadBoard gives it back exactly.
CContainerFrame* NewCellFrame(COLORREF color)
{
    CContainerFrame* pFrame = new CContainer3DFrame(color, 4, 1, 140, 140, 60, 60);
    pFrame->SetColor(color);
    return pFrame;
}

CContainer* NewChild(CContainer* pParent, const char* pszName, ArrangeMethod method)
{
    auto* pChild = new CContainer(pParent, method);
    pChild->SetName(pszName);
    return pChild;
}

} // namespace

int SquareColumns(int nChoices)
{
    int nColumns = 1;
    while (nColumns * nColumns < nChoices)
        ++nColumns;
    return nColumns;
}

CBoardBuilder::CBoardBuilder(CHoard& hoard) : m_hoard(hoard), m_size(640, 480) {}

void CBoardBuilder::AddRow() { m_rows.emplace_back(); }

CString CBoardBuilder::AddChoice(const BoardChoice& choice)
{
    CString strName = choice.strName;
    if (strName.IsEmpty())
        strName = choice.pPicture != NULL ? choice.pPicture->GetName() : CString("choice");
    // Every choice has a link of its name, so the links' names are the choices' names.
    CChoiceLink* pLink = CChoiceLink::New(m_hoard, strName);
    if (pLink == NULL)
        AfxThrowNotSupportedException();
    pLink->SetPicture(choice.pPicture);
    pLink->SetSound(choice.pSound);
    pLink->SetBoard(choice.strBoard);
    if (m_rows.empty())
        AddRow();
    m_rows.back().push_back(Cell{ pLink->GetName(), choice.crFill, choice.crFrame });
    return pLink->GetName();
}

void CBoardBuilder::AddEmpty()
{
    if (m_rows.empty())
        AddRow();
    m_rows.back().push_back(Cell{ CString(), 0, 0 });
}

// The rows' heights are shared out by the root's layout; the title keeps its own.
CWndContainer* CBoardBuilder::Build()
{
    auto pRoot = std::make_unique<CWndContainer>();
    // The title shows as a picture: the root carries its text, for ReadBoard.
    pRoot->SetName(m_strTitle.IsEmpty() ? "board" : (LPCSTR)m_strTitle);
    pRoot->SetArrangeMethod(arrangeVertical);
    pRoot->SetChildGap(CSize(nGap, nGap));
    if (!m_strTitle.IsEmpty())
    {
        CPicture* pLabel = AddLabel(m_hoard, "title", m_strTitle, CSize(m_size.cx - 40, 40), 28, RGB(64, 32, 0),
                                    crTitle);
        CChoiceLink* pLink = CChoiceLink::New(m_hoard, pLabel->GetName());
        if (pLink == NULL)
            AfxThrowNotSupportedException();
        pLink->SetPicture(pLabel);
        CContainer* pTitle = NewChild(pRoot.get(), pLink->GetName(), arrangeNone);
        pTitle->SetPreferredSize(CSize(-1, nTitleHeight));
        pTitle->SetFillColor(crTitle);
        pTitle->SetFrame(new CContainer3DFrame(RGB(192, 192, 192), 4, 0, 130, 130, 60, 60));
    }
    std::unique_ptr<CContainerFrame> pSample(NewCellFrame(0));
    const int nFrames = 2 * pSample->GetWidth();
    const CSize sizeEmptyMinimum = sizeCellMinimum + CSize(nFrames, nFrames);
    for (size_t r = 0; r < m_rows.size(); ++r)
    {
        CString strRow;
        strRow.Format("row %d", (int)r + 1);
        CContainer* pRow = NewChild(pRoot.get(), strRow, arrangeHorizontal);
        pRow->SetChildGap(CSize(nGap, nGap / 2));
        for (const Cell& cell : m_rows[r])
        {
            CContainer* pCell = NewChild(pRow, cell.strName, arrangeNone);
            if (cell.strName.IsEmpty())
            {
                pCell->SetMinimumSize(sizeEmptyMinimum);
                pCell->SetNoFill();
                continue;
            }
            pCell->SetMinimumSize(sizeCellMinimum);
            pCell->SetFillColor(cell.crFill);
            pCell->SetFrame(NewCellFrame(cell.crFrame));
        }
    }
    pRoot->SetBounds(CRect(CPoint(0, 0), m_size));
    return pRoot.release();
}

void CBoardBuilder::Save(const char* pszPath)
{
    std::unique_ptr<CWndContainer> pBoard(Build());
    CMainContainerRecord::SaveFile(pszPath, pBoard.get(), m_hoard);
}
