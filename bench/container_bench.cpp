// The container tree: layout and hit-testing of a screen of 5,021 containers (a root,
// 20 panels of 10 rows of 24 buttons each, with flexible and fixed children and gaps).
//
//   layout:  the whole tree laid out again for a new root size, against the floor of
//            any layout, a walk that gives every container its bounds without computing
//            them
//   build:   adding the same tree one container at a time, each addition re-arranging
//            its parent, against adding it inside a CDisableArrangeBlock that arranges
//            once at the end
//   hits:    100,000 ChildFromPoint at spread points, against a brute-force search of
//            every container's window rectangle for the deepest one that holds the point
//   loading: a stored tree of 8,000 leaves under a chain of 255 containers, the deepest a
//            tree may be, against a flat one of as many containers under its root; both
//            were stored with bounds that loading lays out anew
#include "limn/containers/DisableArrangeBlock.h"
#include "limn/containers/WndContainer.h"

#include "timing.h"

#include <stdio.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const int nPanels = 20;
const int nRows = 10;
const int nButtons = 24;
const int nHits = 100000;

void AddScreen(CWndContainer* pRoot)
{
    pRoot->SetArrangeMethod(arrangeVertical);
    pRoot->SetChildGap(CSize(4, 4));
    for (int p = 0; p < nPanels; ++p)
    {
        auto* pPanel = new CContainer(pRoot, arrangeVertical);
        pPanel->SetChildGap(CSize(2, 2));
        for (int r = 0; r < nRows; ++r)
        {
            auto* pRow = new CContainer(pPanel, arrangeHorizontal);
            pRow->SetChildGap(CSize(1, 1));
            if (r == 0)
                pRow->SetPreferredSize(CSize(-1, 12));
            for (int b = 0; b < nButtons; ++b)
            {
                auto* pButton = new CContainer(pRow, arrangeNone);
                if (b % 6 == 0)
                    pButton->SetPreferredSize(CSize(20, -1));
                else
                    pButton->SetMinimumSize(CSize(5 + b % 4, 4));
            }
        }
    }
}

int Count(const CContainer* pContainer)
{
    int n = 1;
    const auto& children = pContainer->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        n += Count(children.GetNext(pos));
    return n;
}

// Sets the bounds the layout gave, as a layout must at least do.
void Walk(CContainer* pContainer)
{
    const auto& children = pContainer->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
    {
        CContainer* pChild = children.GetNext(pos);
        pChild->SetBounds(pChild->GetBounds() + CPoint(1, 0));
        Walk(pChild);
    }
}

struct Placed
{
    CRect rectWindow;
    int nDepth;
    const CContainer* pContainer;
};

void Collect(const CContainer* pContainer, int nDepth, std::vector<Placed>& placed)
{
    CRect rect;
    pContainer->GetClientRect(&rect);
    pContainer->ClientToWindow(&rect);
    placed.push_back({ rect, nDepth, pContainer });
    const auto& children = pContainer->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        Collect(children.GetNext(pos), nDepth + 1, placed);
}

const CContainer* BruteForceHit(const std::vector<Placed>& placed, CPoint point)
{
    const Placed* pBest = &placed[0];
    for (const Placed& p : placed)
    {
        if (p.nDepth > pBest->nDepth && p.rectWindow.PtInRect(point))
            pBest = &p;
    }
    return pBest->pContainer;
}

CPoint SpreadPoint(int i, const CRect& rect)
{
    return CPoint(rect.left + (int)((i * 7919LL) % rect.Width()), rect.top + (int)((i * 104729LL) % rect.Height()));
}

const int nLeaves = 8000;
const int nChain = 255;

// A tree of nLeaves leaves under nLevels containers, each the only child of the one
// before, laid out top to bottom, stored while no layout ran: every container keeps the
// bounds it was made with, and the leaves their minimum sizes.
std::string StoredTree(int nLevels, int nLeafCount)
{
    CWndContainer root;
    {
        CDisableArrangeBlock all(NULL);
        root.SetBounds(CRect(0, 0, 800, 600));
        root.SetArrangeMethod(arrangeVertical);
        CContainer* pLevel = &root;
        for (int i = 1; i < nLevels; ++i)
            pLevel = new CContainer(pLevel, arrangeVertical);
        for (int i = 0; i < nLeafCount; ++i)
            (new CContainer(pLevel, arrangeNone))->SetMinimumSize(CSize(4 + i % 3, 1 + i % 2));
    }
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &root;
    }
    std::string strBytes((size_t)file.GetLength(), '\0');
    file.SeekToBegin();
    file.Read(strBytes.data(), (UINT)strBytes.size());
    return strBytes;
}

void LoadTree(const std::string& strBytes)
{
    CMemFile file((BYTE*)strBytes.data(), (UINT)strBytes.size());
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> pTree(ar.ReadObject(RUNTIME_CLASS(CWndContainer)));
}

} // namespace

int main()
{
    CWndContainer root;
    root.SetBounds(CRect(0, 0, 1600, 3000));
    AddScreen(&root);
    printf("%d containers\n", Count(&root));

    int nSize = 0;
    double dLayout = Best(5, [&] {
        for (int i = 0; i < 10; ++i)
            root.SetBounds(CRect(0, 0, 1600 + (++nSize % 2) * 40, 3000));
    }) / 10;
    double dWalk = Best(5, [&] {
        CDisableArrangeBlock all(NULL);
        for (int i = 0; i < 10; ++i)
            Walk(&root);
    }) / 10;
    printf("layout of the whole tree: %.2f ms, the walk that sets every bounds %.2f ms: %.1fx the floor\n",
           dLayout * 1e3, dWalk * 1e3, dLayout / dWalk);

    double dBuildArranging = Best(3, [] {
        CWndContainer screen;
        screen.SetBounds(CRect(0, 0, 1600, 3000));
        AddScreen(&screen);
    });
    double dBuildBlocked = Best(3, [] {
        CWndContainer screen;
        screen.SetBounds(CRect(0, 0, 1600, 3000));
        CDisableArrangeBlock all(NULL);
        AddScreen(&screen);
        screen.SetBounds(CRect(0, 0, 1600, 3001));
    });
    printf("building it: %.1f ms arranging at every addition, %.1f ms inside a block: %.1fx faster in a block\n",
           dBuildArranging * 1e3, dBuildBlocked * 1e3, dBuildArranging / dBuildBlocked);

    std::vector<Placed> placed;
    Collect(&root, 0, placed);
    const CRect rectRoot = root.GetBounds();
    int nDisagreements = 0;
    for (int i = 0; i < 1000; ++i)
        nDisagreements += root.ChildFromPoint(SpreadPoint(i, rectRoot)) != BruteForceHit(placed, SpreadPoint(i, rectRoot));
    if (nDisagreements != 0)
        printf("ChildFromPoint and the brute-force search disagree at %d points\n", nDisagreements);
    const CContainer* volatile pHit = NULL;
    double dHits = Best(3, [&] {
        for (int i = 0; i < nHits; ++i)
            pHit = root.ChildFromPoint(SpreadPoint(i, rectRoot));
    });
    double dBrute = Best(1, [&] {
        for (int i = 0; i < nHits / 100; ++i)
            pHit = BruteForceHit(placed, SpreadPoint(i, rectRoot));
    }) * 100;
    printf("%d hit tests: %.1f ms (%.2f us each), brute force %.0f ms: %.0fx faster\n", nHits, dHits * 1e3,
           dHits * 1e6 / nHits, dBrute * 1e3, dBrute / dHits);

    const std::string strDeep = StoredTree(nChain, nLeaves);
    const std::string strFlat = StoredTree(1, nChain - 1 + nLeaves);
    double dDeep = Best(10, [&] { LoadTree(strDeep); });
    double dFlat = Best(10, [&] { LoadTree(strFlat); });
    printf("loading %d leaves under %d levels (%zu KB): %.1f ms, as many under the root (%zu KB) %.1f ms: %.2fx the "
           "flat tree\n",
           nLeaves, nChain, strDeep.size() / 1024, dDeep * 1e3, strFlat.size() / 1024, dFlat * 1e3, dDeep / dFlat);
    return 0;
}
