// Drawing a container tree: fills, frames and children, each child clipped to the client
// areas around it, in list order, and the canvas left as it was found; straight onto a
// surface and through an off-screen buffer as a view paints.
#include "limn/canvas/CanvasBuffer.h"
#include "limn/containers/ContainerFrame.h"

#include "container_support.h"

namespace {

const COLORREF crWhite = RGB(255, 255, 255), crRed = RGB(255, 0, 0),
               crGreen = RGB(0, 255, 0), crBlue = RGB(0, 0, 255), crYellow = RGB(255, 255, 0),
               crCyan = RGB(0, 255, 255), crMagenta = RGB(255, 0, 255);

struct ExpectedPixel
{
    int x, y;
    COLORREF cr;
    const char* what;
};

void ExpectPixels(const CDibSurface& surface, std::initializer_list<ExpectedPixel> pixels)
{
    for (const ExpectedPixel& p : pixels)
        EXPECT_EQ(p.cr, surface.At(p.x, p.y)) << p.what << " at " << p.x << "," << p.y;
}

CProbe* Filled(CContainer* pParent, const char* pszName, const CRect& rect, COLORREF cr)
{
    auto* pProbe = new CProbe(pParent, pszName);
    pProbe->SetBounds(rect);
    pProbe->SetFillColor(cr);
    return pProbe;
}

// A root with a framed panel: a child reaching out of the panel's client area on the
// left, a later sibling over part of it, one only 2 pixels high and a hidden one.
class CSampleTree
{
public:
    CSampleTree() : m_root(NULL, "root")
    {
        m_root.SetBounds(CRect(0, 0, 60, 40));
        m_root.SetFillColor(crMagenta);
        CProbe* pPanel = Filled(&m_root, "panel", CRect(10, 5, 50, 35), crBlue);
        pPanel->SetFrame(new CContainerFrame(2, crRed));
        Filled(pPanel, "out", CRect(-5, 4, 20, 14), crGreen);
        Filled(pPanel, "over", CRect(15, 8, 25, 12), crCyan);
        Filled(pPanel, "thin", CRect(0, 20, 30, 22), crYellow);
        Filled(pPanel, "hidden", CRect(0, 0, 30, 26), crYellow)->Hide(FALSE);
    }
    CProbe m_root;
};

} // namespace

// Panel client area: device (12, 7) to (48, 33).
TEST(ContainerDraw, FillsFramesAndClippedChildren)
{
    CDibSurface surface(60, 40);
    CCanvas canvas(&surface.m_dc);
    CSampleTree tree;
    tree.m_root.Draw(canvas);
    ExpectPixels(surface, {
        { 5, 5, crMagenta, "root" },
        { 59, 39, crMagenta, "root's last pixel" },
        { 10, 20, crRed, "panel frame" },
        { 11, 13, crRed, "frame where the child reaches out" },
        { 12, 13, crGreen, "child inside the client area" },
        { 31, 13, crGreen, "child's last column" },
        { 32, 13, crBlue, "panel" },
        { 12, 20, crGreen, "child's last row" },
        { 12, 21, crBlue, "panel below the child" },
        { 27, 16, crCyan, "later sibling on top" },
        { 15, 28, crBlue, "a child 2 pixels high is not drawn" },
        { 40, 9, crBlue, "hidden child" },
    });
    EXPECT_EQ(0, surface.Count(crYellow));
    EXPECT_EQ(CPoint(0, 0), canvas.GetOrigin());
    EXPECT_TRUE(canvas.GetClipRect().IsRectEmpty());

    // Hidden, nothing is drawn; a root draws no frame and its contents start at its
    // bounds' corner.
    surface.Fill(crWhite);
    tree.m_root.Hide(FALSE);
    tree.m_root.Draw(canvas);
    EXPECT_EQ(0, surface.Count(crMagenta) + surface.Count(crBlue));
    tree.m_root.Show(FALSE);
    tree.m_root.SetFrame(new CContainerFrame(4, crYellow));
    tree.m_root.Draw(canvas);
    EXPECT_EQ(0, surface.Count(crYellow));
    EXPECT_EQ(crRed, surface.At(10, 5));
}

// A scrolled panel shows the part of a long list that lies in its client area; the
// list's items, clipped by the list alone, would paint above the panel.
TEST(ContainerDraw, ScrolledContentStaysInsideEveryAncestor)
{
    CDibSurface surface(60, 60);
    CCanvas canvas(&surface.m_dc);
    canvas.SetBrush(crWhite, FALSE);
    CProbe root(NULL, "root");
    root.SetBounds(CRect(0, 0, 60, 60));
    CProbe* pPanel = Filled(&root, "panel", CRect(10, 20, 40, 40), crBlue);
    pPanel->SetScrollPos(CPoint(0, -10));
    CProbe* pList = Filled(pPanel, "list", CRect(0, 0, 30, 60), crGreen);
    Filled(pList, "first", CRect(0, 0, 30, 8), crRed);
    Filled(pList, "second", CRect(0, 12, 30, 20), crCyan);
    root.Draw(canvas);
    EXPECT_TRUE(RectEq(CRect(10, 20, 40, 40), surface.PaintedBounds(crWhite)));
    EXPECT_EQ(0, surface.Count(crRed)) << "the first item lies above the panel";
    ExpectPixels(surface, { { 20, 22, crCyan, "second item" }, { 20, 31, crGreen, "list" } });

    // Within a clip set by the caller, which comes back afterwards.
    surface.Fill(crWhite);
    canvas.ClipToRect(CRect(0, 0, 60, 25));
    root.Draw(canvas);
    EXPECT_TRUE(RectEq(CRect(10, 20, 40, 25), surface.PaintedBounds(crWhite)));
    EXPECT_TRUE(RectEq(CRect(0, 0, 60, 25), canvas.GetClipRect()));
}

// Children wholly outside the clip in force are passed by; the pixels inside it are those
// of a whole drawing. A printer's canvas does not clip, and every child draws.
TEST(ContainerDraw, ChildrenOutsideTheClipAreNotDrawn)
{
    CDibSurface whole(60, 40), clipped(60, 40);
    CProbe root(NULL, "root");
    root.SetBounds(CRect(0, 0, 60, 40));
    root.SetFillColor(crMagenta);
    CProbe* pLeft = Filled(&root, "left", CRect(0, 0, 20, 40), crRed);
    CProbe* pMiddle = Filled(&root, "middle", CRect(20, 0, 40, 40), crGreen);
    CProbe* pInner = Filled(pMiddle, "inner", CRect(0, 30, 20, 40), crCyan);
    CProbe* pRight = Filled(&root, "right", CRect(40, 0, 60, 40), crBlue);
    {
        CCanvas canvas(&whole.m_dc);
        root.Draw(canvas);
    }
    const struct
    {
        CRect rectClip;
        int nLeft, nMiddle, nInner, nRight;
    } cases[] = {
        { CRect(22, 2, 38, 20), 0, 1, 0, 0 },
        { CRect(15, 35, 25, 40), 1, 1, 1, 0 },
        { CRect(40, 0, 60, 40), 0, 0, 0, 1 },
        { CRect(0, 0, 60, 40), 1, 1, 1, 1 },
    };
    for (const auto& c : cases)
    {
        clipped.Fill(crWhite);
        for (CProbe* pProbe : { &root, pLeft, pMiddle, pInner, pRight })
            pProbe->m_nDrawn = 0;
        CCanvas canvas(&clipped.m_dc);
        canvas.ClipToRect(c.rectClip);
        root.Draw(canvas);
        const std::string strCase = ::testing::PrintToString(c.rectClip);
        EXPECT_EQ(1, root.m_nDrawn) << strCase;
        EXPECT_EQ(c.nLeft, pLeft->m_nDrawn) << strCase;
        EXPECT_EQ(c.nMiddle, pMiddle->m_nDrawn) << strCase;
        EXPECT_EQ(c.nInner, pInner->m_nDrawn) << strCase;
        EXPECT_EQ(c.nRight, pRight->m_nDrawn) << strCase;
        for (int y = c.rectClip.top; y < c.rectClip.bottom; ++y)
            for (int x = c.rectClip.left; x < c.rectClip.right; ++x)
                ASSERT_EQ(whole.At(x, y), clipped.At(x, y)) << strCase << " at " << x << "," << y;
    }

    CCanvas printer(&clipped.m_dc);
    printer.SetPrinting(TRUE);
    printer.ClipToRect(CRect(22, 2, 38, 20));
    pLeft->m_nDrawn = pRight->m_nDrawn = 0;
    root.Draw(printer);
    EXPECT_EQ(1, pLeft->m_nDrawn);
    EXPECT_EQ(1, pRight->m_nDrawn);
}

// A scrolled container draws the children that its scroll brings into its client area,
// where hit-testing finds them, with or without a clip set by the caller.
TEST(ContainerDraw, ScrolledChildrenAreDrawnWhereTheyAreHit)
{
    CDibSurface surface(60, 60);
    CProbe root(NULL, "root");
    root.SetBounds(CRect(0, 0, 60, 60));
    CProbe* pPanel = Filled(&root, "panel", CRect(10, 10, 50, 50), crBlue);
    CProbe* pAbove = Filled(pPanel, "above", CRect(0, 0, 40, 20), crRed);
    CProbe* pLow = Filled(pPanel, "low", CRect(0, 30, 40, 50), crGreen);
    pPanel->SetScrollPos(CPoint(0, -30));
    EXPECT_EQ(pLow, root.ChildFromPoint(CPoint(20, 15)));
    for (const CRect& rectClip : { CRect(), CRect(0, 0, 60, 60), CRect(15, 12, 30, 20) })
    {
        const std::string strCase = ::testing::PrintToString(rectClip);
        surface.Fill(crWhite);
        pAbove->m_nDrawn = pLow->m_nDrawn = 0;
        CCanvas canvas(&surface.m_dc);
        if (!rectClip.IsRectEmpty())
            canvas.ClipToRect(rectClip);
        root.Draw(canvas);
        EXPECT_EQ(1, pLow->m_nDrawn) << strCase;
        EXPECT_EQ(0, pAbove->m_nDrawn) << strCase << ": scrolled out";
        EXPECT_EQ(crGreen, surface.At(20, 15)) << strCase;
    }
}

// What a container draws may destroy containers: the drawing goes on past those that
// are gone, and a container that is gone gives the canvas back as it found it. In
// root { panel { a, b, c }, d } a's contents destroy the victim.
TEST(ContainerDraw, DrawingGoesOnPastDestroyedContainers)
{
    const struct
    {
        const char* victim;
        std::vector<const char*> drawnAfter;    // the containers drawn after a
    } cases[] = {
        { "b", { "c", "d" } },
        { "a", { "b", "c", "d" } },
        { "panel", { "d" } },
        { "root", {} },
    };
    CDibSurface surface(60, 40);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.victim);
        auto* pRoot = new CProbe(NULL, "root");
        pRoot->SetBounds(CRect(0, 0, 60, 40));
        CProbe* pPanel = Filled(pRoot, "panel", CRect(0, 0, 40, 40), crBlue);
        CProbe* pA = Filled(pPanel, "a", CRect(0, 0, 40, 10), crRed);
        Filled(pPanel, "b", CRect(0, 10, 40, 20), crGreen);
        Filled(pPanel, "c", CRect(0, 20, 40, 30), crCyan);
        Filled(pRoot, "d", CRect(40, 0, 60, 40), crYellow);
        CContainer* pVictim = pRoot->FindSubContainer(NULL, c.victim);
        pA->m_after["Draw"] = [&] {
            if (pVictim == pRoot)
                pRoot = NULL;
            delete pVictim;
        };
        CCanvas canvas(&surface.m_dc);
        canvas.ClipToRect(CRect(1, 1, 59, 39));
        pRoot->Draw(canvas);
        EXPECT_EQ(CPoint(0, 0), canvas.GetOrigin());
        EXPECT_TRUE(RectEq(CRect(1, 1, 59, 39), canvas.GetClipRect()));
        if (pRoot == NULL)
            continue;
        for (const char* pszName : c.drawnAfter)
            EXPECT_EQ(1, static_cast<CProbe*>(pRoot->FindSubContainer(NULL, pszName))->m_nDrawn) << pszName;
        delete pRoot;
    }
}

// As a view paints: into a buffer over the damaged area, then out to the surface.
TEST(ContainerDraw, ThroughAnOffScreenBuffer)
{
    CDibSurface surface(60, 40);
    CCanvas canvas(&surface.m_dc);
    canvas.SetBounds(CRect(0, 0, 60, 40));
    CSampleTree tree;
    {
        CCanvasBuffer buffer(canvas, CRect(8, 4, 40, 30));
        tree.m_root.Draw(canvas);
        EXPECT_EQ(CPoint(-8, -4), canvas.GetOrigin()) << "Draw leaves the buffer's origin";
        buffer.Draw();
    }
    EXPECT_TRUE(RectEq(CRect(8, 4, 40, 30), surface.PaintedBounds(crWhite)));
    ExpectPixels(surface, {
        { 9, 20, crMagenta, "root" },
        { 10, 20, crRed, "panel frame" },
        { 12, 13, crGreen, "clipped child" },
        { 27, 16, crCyan, "later sibling" },
        { 39, 29, crBlue, "panel" },
        { 40, 29, crWhite, "outside the buffer" },
    });
}
