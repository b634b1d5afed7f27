// Image lists: images from a bitmap resource with a mask colour, drawn transparent or on
// the list's background colour; adding, replacing and removing images; a merged
// image; the handle map behind FromHandle and the controls' GetImageList; dragging.
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "commoncontrols_resource.h"
#include "dib_surface.h"
#include "msg_log.h"
#include "test_support.h"

namespace {

const COLORREF crRed = RGB(255, 0, 0);
const COLORREF crGreen = RGB(0, 255, 0);
const COLORREF crBlue = RGB(0, 0, 255);
const COLORREF crMagenta = RGB(255, 0, 255);
const COLORREF crWhite = RGB(255, 255, 255);
const COLORREF crBlack = RGB(0, 0, 0);

// A bitmap of cx by cy in one colour.
void MakeSolid(CBitmap& bitmap, int cx, int cy, COLORREF cr)
{
    HDC hScreen = ::GetDC(NULL);
    bitmap.Attach(::CreateCompatibleBitmap(hScreen, cx, cy));
    ::ReleaseDC(NULL, hScreen);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, cx, cy, cr);
    dc.SelectObject(pOld);
}

// An icon of 8 by 8 in one colour, all opaque; the caller destroys it.
HICON MakeIcon(COLORREF cr)
{
    CBitmap colour;
    MakeSolid(colour, 8, 8, cr);
    CBitmap mask;
    BYTE bits[16] = {};     // every pixel 0: opaque
    mask.CreateBitmap(8, 8, 1, 1, bits);
    ICONINFO ii = { TRUE, 0, 0, (HBITMAP)mask.m_hObject, (HBITMAP)colour.m_hObject };
    return ::CreateIconIndirect(&ii);
}

// The colour in the middle of image nImage drawn at the origin of a white surface.
COLORREF DrawnColour(CImageList& list, int nImage, UINT nStyle = ILD_TRANSPARENT)
{
    CDibSurface surface(16, 16, crWhite);
    EXPECT_TRUE(list.Draw(&surface.m_dc, nImage, CPoint(0, 0), nStyle));
    return surface.At(4, 4);
}

} // namespace

TEST(ImageLists, ImagesOfABitmapResourceDrawWithTheirMask)
{
    CReleaseCheck check;
    CImageList list;
    ASSERT_TRUE(list.Create(IDB_SWATCHES, 8, 1, crMagenta));
    EXPECT_FALSE(list.Create(8, 8, ILC_COLOR32, 1, 1)) << "an object holds one list";
    ASSERT_EQ(4, list.GetImageCount()) << "a 32-pixel strip of 8-pixel images";

    IMAGEINFO info = {};
    ASSERT_TRUE(list.GetImageInfo(2, &info));
    EXPECT_EQ(8, info.rcImage.right - info.rcImage.left);
    EXPECT_EQ(8, info.rcImage.bottom - info.rcImage.top);
    EXPECT_NE((HBITMAP)NULL, info.hbmMask) << "a mask colour makes a mask";
    EXPECT_FALSE(list.GetImageInfo(4, &info));

    // The mask colour is transparent; on a background colour it shows that colour.
    const struct
    {
        int nImage;
        COLORREF crTransparent;
        COLORREF crOnBlack;
    } images[] = {
        { 0, crRed, crRed },
        { 1, crGreen, crGreen },
        { 2, crBlue, crBlue },
        { 3, crWhite, crBlack },
    };
    EXPECT_EQ(CLR_NONE, list.SetBkColor(crBlack));
    EXPECT_EQ(crBlack, list.GetBkColor());
    for (const auto& i : images)
    {
        SCOPED_TRACE(i.nImage);
        EXPECT_EQ(i.crOnBlack, DrawnColour(list, i.nImage, ILD_NORMAL));
    }
    list.SetBkColor(CLR_NONE);
    for (const auto& i : images)
    {
        SCOPED_TRACE(i.nImage);
        EXPECT_EQ(i.crTransparent, DrawnColour(list, i.nImage));
    }

    CImageList missing;
    EXPECT_FALSE(missing.Create(999, 8, 1, crMagenta)) << "no such bitmap";
    EXPECT_EQ((HIMAGELIST)NULL, missing.GetSafeHandle());
}

TEST(ImageLists, AddReplaceRemoveAndExtract)
{
    CReleaseCheck check;
    CImageList list;
    ASSERT_TRUE(list.Create(8, 8, ILC_COLOR24 | ILC_MASK, 0, 2));
    EXPECT_EQ(0, list.GetImageCount());

    // A bitmap twice as wide as an image adds two images.
    CBitmap twoRed;
    MakeSolid(twoRed, 16, 8, crRed);
    EXPECT_EQ(0, list.Add(&twoRed, crMagenta));
    EXPECT_EQ(2, list.GetImageCount());
    CBitmap blue;
    MakeSolid(blue, 8, 8, crBlue);
    CBitmap noMask;
    EXPECT_EQ(2, list.Add(&blue, &noMask));
    HICON hGreen = MakeIcon(crGreen);
    EXPECT_EQ(3, list.Add(hGreen));
    EXPECT_EQ(4, list.GetImageCount());
    EXPECT_EQ(crGreen, DrawnColour(list, 3));

    // Replacing keeps the count; -1 with an icon adds it.
    EXPECT_EQ(1, list.Replace(1, hGreen));
    EXPECT_EQ(crGreen, DrawnColour(list, 1));
    EXPECT_TRUE(list.Replace(0, &blue, &noMask));
    EXPECT_EQ(crBlue, DrawnColour(list, 0));
    EXPECT_EQ(4, list.Replace(-1, hGreen));
    EXPECT_EQ(5, list.GetImageCount());
    EXPECT_FALSE(list.Replace(9, &blue, &noMask)) << "no image 9";

    // The extracted icon is a copy of the image.
    HICON hIcon = list.ExtractIcon(2);
    ASSERT_NE((HICON)NULL, hIcon);
    {
        CDibSurface surface(8, 8, crWhite);
        ::DrawIconEx(surface.m_dc.m_hDC, 0, 0, hIcon, 8, 8, 0, NULL, DI_NORMAL);
        EXPECT_EQ(crBlue, surface.At(3, 3));
    }
    ::DestroyIcon(hIcon);

    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(4, list.GetImageCount());
    EXPECT_EQ(crGreen, DrawnColour(list, 0)) << "the later images move up";
    EXPECT_FALSE(list.Remove(7));
    EXPECT_TRUE(list.Remove(-1));
    EXPECT_EQ(0, list.GetImageCount());
    ::DestroyIcon(hGreen);

    EXPECT_TRUE(list.DeleteImageList());
    EXPECT_FALSE(list.DeleteImageList()) << "nothing left to delete";
}

TEST(ImageLists, MergedImageDrawsTheSecondOverTheFirst)
{
    CReleaseCheck check;
    CImageList swatches;
    ASSERT_TRUE(swatches.Create(IDB_SWATCHES, 8, 1, crMagenta));
    CImageList merged;
    ASSERT_TRUE(merged.Create(swatches, 0, swatches, 1, 4, 0));
    EXPECT_EQ(1, merged.GetImageCount());
    IMAGEINFO info = {};
    ASSERT_TRUE(merged.GetImageInfo(0, &info));
    EXPECT_EQ(12, info.rcImage.right - info.rcImage.left) << "wide enough for both";

    CDibSurface surface(16, 16, crWhite);
    ASSERT_TRUE(merged.Draw(&surface.m_dc, 0, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(crRed, surface.At(1, 4)) << "the first image where the second is not";
    EXPECT_EQ(crGreen, surface.At(6, 4)) << "the second over the first";
    EXPECT_EQ(crGreen, surface.At(10, 4));
}

TEST(ImageLists, HandleMapGivesTheOwnerOrATemporaryObject)
{
    CReleaseCheck check;
    CImageList owner;
    ASSERT_TRUE(owner.Create(8, 8, ILC_COLOR24, 1, 1));
    HIMAGELIST hList = owner;
    EXPECT_EQ(&owner, CImageList::FromHandle(hList));
    EXPECT_EQ(&owner, CImageList::FromHandlePermanent(hList));
    EXPECT_EQ(NULL, CImageList::FromHandle(NULL));
    EXPECT_FALSE(owner.Attach(hList)) << "already holding a list";

    // Detached, the list has no owner: FromHandle wraps it in a temporary object that
    // idle time frees, and the list stays.
    EXPECT_EQ(hList, owner.Detach());
    EXPECT_EQ(NULL, CImageList::FromHandlePermanent(hList));
    CImageList* pTemp = CImageList::FromHandle(hList);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hList, pTemp->m_hImageList);
    EXPECT_EQ(pTemp, CImageList::FromHandle(hList)) << "one temporary object per handle";
    AfxLockTempMaps();
    AfxUnlockTempMaps();
    EXPECT_EQ(0, ImageList_GetImageCount(hList)) << "the list outlives its temporary object";

    // A second owner destroys the list with itself.
    {
        CImageList second;
        EXPECT_TRUE(second.Attach(hList));
        EXPECT_EQ(&second, CImageList::FromHandle(hList));
    }
    EXPECT_EQ(NULL, CImageList::FromHandlePermanent(hList));

    // A control answers with the list's owner.
    CWnd parent;
    parent.CreateEx(0, NULL, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL);
    CListCtrl listCtrl;
    ASSERT_TRUE(listCtrl.Create(WS_CHILD | LVS_REPORT | LVS_SHAREIMAGELISTS, CRect(0, 0, 100, 100), &parent, 1));
    CImageList small;
    ASSERT_TRUE(small.Create(8, 8, ILC_COLOR24, 1, 1));
    EXPECT_EQ(NULL, listCtrl.SetImageList(&small, LVSIL_SMALL));
    EXPECT_EQ(&small, listCtrl.GetImageList(LVSIL_SMALL));
    EXPECT_EQ(NULL, listCtrl.GetImageList(LVSIL_NORMAL));
    EXPECT_EQ(&small, listCtrl.SetImageList(NULL, LVSIL_SMALL));
    parent.DestroyWindow();
}

TEST(ImageLists, DragImageFollowsTheMoves)
{
    CReleaseCheck check;
    CWnd window;
    window.CreateEx(0, NULL, "drag", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL);
    CImageList swatches;
    ASSERT_TRUE(swatches.Create(IDB_SWATCHES, 8, 1, crMagenta));

    CPoint pt;
    CPoint ptHotSpot;
    EXPECT_EQ(NULL, CImageList::GetDragImage(&pt, &ptHotSpot)) << "nothing dragged yet";
    ASSERT_TRUE(swatches.BeginDrag(1, CPoint(2, 3)));
    EXPECT_TRUE(CImageList::DragEnter(&window, CPoint(20, 20)));
    EXPECT_TRUE(CImageList::DragMove(CPoint(50, 40)));
    CImageList* pDragged = CImageList::GetDragImage(&pt, &ptHotSpot);
    ASSERT_NE(nullptr, pDragged);
    EXPECT_EQ(1, pDragged->GetImageCount()) << "the dragged image alone";
    EXPECT_EQ(CPoint(50, 40), pt);
    EXPECT_EQ(CPoint(2, 3), ptHotSpot);
    EXPECT_TRUE(CImageList::DragShowNolock(FALSE));
    EXPECT_TRUE(CImageList::DragLeave(&window));
    CImageList::EndDrag();
    EXPECT_EQ(NULL, CImageList::GetDragImage(&pt, &ptHotSpot));
    window.DestroyWindow();
}

TEST(ImageLists, ArchivedListReadsBackAndBadArchivesAreRefused)
{
    CReleaseCheck check;
    CImageList swatches;
    ASSERT_TRUE(swatches.Create(IDB_SWATCHES, 8, 1, crMagenta));
    std::string strBytes = Store([&](CArchive& ar) {
        ar << (DWORD)0x5EED;
        EXPECT_TRUE(swatches.Write(&ar));
        ar << (DWORD)0xF00D;
    });
    ASSERT_GT(strBytes.size(), 8u);

    // The list, and what follows it, read back.
    CImageList copy;
    ASSERT_TRUE(copy.Create(8, 8, ILC_COLOR24, 1, 1));
    DWORD dwAfter = 0;
    Load(strBytes, [&](CArchive& ar) {
        DWORD dwBefore = 0;
        ar >> dwBefore;
        EXPECT_EQ(0x5EEDu, dwBefore);
        EXPECT_TRUE(copy.Read(&ar));
        ar >> dwAfter;
    });
    EXPECT_EQ(0xF00Du, dwAfter) << "the list's bytes exactly";
    ASSERT_EQ(4, copy.GetImageCount());
    EXPECT_EQ(crBlue, DrawnColour(copy, 2));
    EXPECT_EQ(crWhite, DrawnColour(copy, 3)) << "the mask came along";

    // Cut short, or not a list: nothing read, the list kept.
    for (size_t nLength : { (size_t)4, (size_t)20, strBytes.size() / 2 })
    {
        SCOPED_TRACE(nLength);
        std::string strCut = strBytes.substr(4, nLength);
        Load(strCut, [&](CArchive& ar) { EXPECT_FALSE(copy.Read(&ar)); });
        EXPECT_EQ(4, copy.GetImageCount());
    }
    std::string strNoise(200, '\x5a');
    Load(strNoise, [&](CArchive& ar) { EXPECT_FALSE(copy.Read(&ar)); });
    EXPECT_EQ(4, copy.GetImageCount());
}
