// screengen: writes a sample screen document: its container tree, then the resources of
// a resource file when one is given, with the pictures of the screen's own labels.
//
//   screengen OUT [RESOURCES]
//
// The screen, 640x480: a title, a row of three buttons, a grid of two rows of three
// framed cells and a text entry. Containers show pictures by name: the title and the
// buttons are named as label pictures made here (text drawn on the container's colour),
// and the cells as the pictures of RESOURCES in turn ("cell 1" to "cell 6" when it holds
// none). The entry is a white framed container that a program showing the screen fills
// with a text-entry container, which cannot be stored. The demo and hoardtool's tests
// read it.
#include "limn/containers/Container3DFrame.h"
#include "limn/containers/MainContainerRecord.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"

#include "ExceptionText.h"
#include "LabelPicture.h"

#include <stdio.h>

#include <memory>
#include <vector>

namespace {

const COLORREF crTitle = RGB(255, 255, 204);
const COLORREF crCell = RGB(255, 255, 255);
const int nRows = 2;
const int nColumns = 3;

CContainer* NewChild(CContainer* pParent, const char* pszName, ArrangeMethod method)
{
    auto* pChild = new CContainer(pParent, method);
    pChild->SetName(pszName);
    return pChild;
}

// The names of the pictures of the file, in its list order.
std::vector<CString> PictureNames(CHoard& hoard)
{
    std::vector<CString> names;
    if (const CResourceList* pList = hoard.GetResourceList("CPicture"))
    {
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
            names.push_back(pList->GetNext(pos)->GetName());
    }
    return names;
}

CWndContainer* NewSampleScreen(CHoard& hoard)
{
    std::vector<CString> pictures = PictureNames(hoard);

    auto* pRoot = new CWndContainer;
    pRoot->SetName("sample screen");
    pRoot->SetArrangeMethod(arrangeVertical);
    pRoot->SetChildGap(CSize(8, 8));

    CContainer* pTitle = NewChild(pRoot, "title", arrangeNone);
    pTitle->SetPreferredSize(CSize(-1, 56));
    pTitle->SetFillColor(crTitle);
    pTitle->SetFrame(new CContainer3DFrame(RGB(192, 192, 192), 4, 0, 130, 130, 60, 60));
    AddLabel(hoard, "title", "A sample screen", CSize(400, 40), 28, RGB(64, 32, 0), crTitle);

    CContainer* pButtons = NewChild(pRoot, "buttons", arrangeHorizontal);
    pButtons->SetPreferredSize(CSize(-1, 64));
    pButtons->SetChildGap(CSize(12, 6));
    const struct
    {
        const char* pszName;
        const char* pszLabel;
        COLORREF color;
    } buttons[] = { { "play", "Play", RGB(0, 153, 0) }, { "stop", "Stop", RGB(204, 0, 0) },
                    { "next", "Next", RGB(0, 51, 204) } };
    for (const auto& b : buttons)
    {
        CContainer* pButton = NewChild(pButtons, b.pszName, arrangeNone);
        pButton->SetPreferredSize(CSize(120, -1));
        pButton->SetFillColor(b.color);
        pButton->SetFrame(new CContainer3DFrame(b.color, 3, 0, 150, 150, 50, 50));
        AddLabel(hoard, b.pszName, b.pszLabel, CSize(108, 40), 22, RGB(255, 255, 255), b.color);
    }

    // The rows' margins make the gaps between the rows.
    CContainer* pGrid = NewChild(pRoot, "pictures", arrangeVertical);
    for (int r = 0; r < nRows; ++r)
    {
        CString strRow;
        strRow.Format("row %d", r + 1);
        CContainer* pRow = NewChild(pGrid, strRow, arrangeHorizontal);
        pRow->SetChildGap(CSize(8, 4));
        for (int c = 0; c < nColumns; ++c)
        {
            int i = r * nColumns + c;
            CString strName;
            if (pictures.empty())
                strName.Format("cell %d", i + 1);
            else
                strName = pictures[i % pictures.size()];
            CContainer* pCell = NewChild(pRow, strName, arrangeNone);
            pCell->SetFillColor(crCell);
            pCell->SetFrame(new CContainer3DFrame(RGB(160, 160, 160), 4, 1, 140, 140, 60, 60));
        }
    }

    CContainer* pEntry = NewChild(pRoot, "entry", arrangeVertical);
    pEntry->SetPreferredSize(CSize(-1, 40));
    pEntry->SetFillColor(RGB(255, 255, 255));
    pEntry->SetFrame(new CContainerFrame(2, RGB(0, 0, 0)));

    pRoot->SetBounds(CRect(0, 0, 640, 480));
    return pRoot;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
    {
        fputs("usage: screengen OUT [RESOURCES]\n", stderr);
        return 2;
    }
    CResourceClass::InitResourceClasses();
    try
    {
        CHoard hoard;
        if (argc == 3)
            hoard.LoadFromFile(argv[2]);
        std::unique_ptr<CWndContainer> pScreen(NewSampleScreen(hoard));
        CMainContainerRecord::SaveFile(argv[1], pScreen.get(), hoard);
    }
    catch (CException* e)
    {
        fprintf(stderr, "screengen: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
        return 1;
    }
    return 0;
}
