// Choice links: a choice keeps its own picture through a save that merges it into an
// identical one, through renaming, and back from the file; a link that names nothing
// leaves the choice to the resources of its name; a damaged record is refused.
#include "limn/containers/ChoiceLink.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/NamedPictures.h"
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"

#include "framework/tests/test_support.h"
#include "picture_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

CPicture* NewPicture(CHoard& hoard, const char* pszName, COLORREF color)
{
    CPicture* pPicture = CPicture::New(hoard, pszName);
    DWORD dwPixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    CTestDIB dib = MakeTestDIB(8, 8, 24, [=](int, int) { return dwPixel; });
    pPicture->AddPictElem(new CDIBElem(dib));
    return pPicture;
}

// A screen of one leaf for each name, side by side.
CWndContainer* NewScreen(std::initializer_list<const char*> names)
{
    auto* pRoot = new CWndContainer;
    pRoot->SetArrangeMethod(arrangeHorizontal);
    for (const char* pszName : names)
        (new CContainer(pRoot, arrangeNone))->SetName(pszName);
    pRoot->SetBounds(CRect(0, 0, 200, 100));
    return pRoot;
}

CString PictureName(CHoard& hoard, const char* pszChoice)
{
    CResource* pPicture = CChoiceLink::ResourceOf(hoard, pszChoice, "CPicture");
    return pPicture != NULL ? pPicture->GetName() : CString("(none)");
}

} // namespace

TEST(ChoiceLink, APictureMergedOnSavingStaysTheChoicesOwn)
{
    CScratchFolder folder;
    const CString strPath = folder.Path("board.lmd");
    {
        CHoard hoard;
        std::unique_ptr<CWndContainer> pScreen(NewScreen({ "x", "y", "z" }));
        CChoiceLink::New(hoard, "x")->SetPicture(NewPicture(hoard, "red", RGB(255, 0, 0)));
        CChoiceLink::New(hoard, "y")->SetPicture(NewPicture(hoard, "red copy", RGB(255, 0, 0)));
        CChoiceLink::New(hoard, "z");   // names no picture: "z" is shown by its name
        NewPicture(hoard, "z", RGB(0, 0, 255));
        CMainContainerRecord::SaveFile(strPath, pScreen.get(), hoard);
        EXPECT_EQ("red", PictureName(hoard, "y")) << "the link did not follow the merge";
    }
    CHoard hoard;
    std::unique_ptr<CWndContainer> pScreen(CMainContainerRecord::LoadFile(strPath, hoard));
    ASSERT_EQ(2, hoard.GetResourceList("CPicture")->GetCount());
    EXPECT_EQ("red", PictureName(hoard, "x"));
    EXPECT_EQ("red", PictureName(hoard, "y"));
    EXPECT_EQ("z", PictureName(hoard, "z"));
    EXPECT_EQ(3, ShowNamedPictures(pScreen.get(), hoard));

    // Renamed, the picture stays linked, and the file names it as it is now.
    hoard.GetResource("CPicture", "red")->SetName("scarlet");
    CMainContainerRecord::SaveFile(strPath, pScreen.get(), hoard);
    CHoard again;
    delete CMainContainerRecord::LoadFile(strPath, again);
    EXPECT_EQ("scarlet", PictureName(again, "y"));
    // A deleted picture leaves the choice to the resources of its name: none here.
    again.GetResource("CPicture", "scarlet")->Delete();
    EXPECT_EQ("(none)", PictureName(again, "x"));
}

// A link read from a file finds its picture when the link's block was read first too,
// and a resolved link follows a merge made by a later save.
TEST(ChoiceLink, LinksReadBackFollowALaterMerge)
{
    CScratchFolder folder;
    const CString strPath = folder.Path("board.lmd");
    std::unique_ptr<CWndContainer> pScreen(NewScreen({ "x" }));
    {
        CHoard hoard;
        CChoiceLink::New(hoard, "x")->SetPicture(NewPicture(hoard, "green", RGB(0, 255, 0)));
        CMainContainerRecord::SaveFile(strPath, pScreen.get(), hoard);
    }
    CHoard hoard;
    NewPicture(hoard, "first", RGB(0, 255, 0));     // listed ahead of the one read
    delete CMainContainerRecord::LoadFile(strPath, hoard);
    CMainContainerRecord::SaveFile(strPath, pScreen.get(), hoard);
    EXPECT_EQ("first", PictureName(hoard, "x"));
    CHoard again;
    delete CMainContainerRecord::LoadFile(strPath, again);
    EXPECT_EQ(1, again.GetResourceList("CPicture")->GetCount());
    EXPECT_EQ("first", PictureName(again, "x"));
}

TEST(ChoiceLink, ARecordOfAnotherVersionIsDamage)
{
    CHoard hoard;
    CChoiceLink* pLink = CChoiceLink::New(hoard, "x");
    pLink->SetBoard("other.lmd");
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<CObject*>(pLink);
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        std::unique_ptr<CObject> pRead(ar.ReadObject(RUNTIME_CLASS(CChoiceLink)));
        EXPECT_STREQ("other.lmd", static_cast<CChoiceLink*>(pRead.get())->GetBoard());
    }
    // The version word follows the name "x" (a length byte and the letter).
    const UINT nLength = (UINT)file.GetLength();
    BYTE* pBytes = file.Detach();
    CString strClass = "CChoiceLink";
    const size_t nVersion = 2 + 2 + 2 + strClass.GetLength() + 2;
    ASSERT_EQ(1, pBytes[nVersion]);
    pBytes[nVersion] = 2;
    CMemFile damaged(pBytes, nLength);
    CArchive ar(&damaged, CArchive::load);
    EXPECT_THROW(
        {
            try
            {
                delete ar.ReadObject(RUNTIME_CLASS(CChoiceLink));
            }
            catch (CArchiveException* e)
            {
                e->Delete();
                throw 1;
            }
        },
        int);
    free(pBytes);
}
