// CHoard and CResource: creation, unique names, lookup, deletion and messages.
#include "test_support.h"

#include "hoard/resources/ResourceMessages.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

CTestResource* NewTest(CHoard& hoard, const char* pszName)
{
    return static_cast<CTestResource*>(hoard.NewResource("CTestResource", pszName));
}

TEST(Hoard, NewResourceNamesUntitledAndNumbersClashes)
{
    CHoard hoard;
    CMessageLog log;
    CResource* pFirst = NewTest(hoard, NULL);
    CResource* pSecond = NewTest(hoard, NULL);
    ASSERT_NE(nullptr, pFirst);
    EXPECT_STREQ("Untitled", pFirst->GetName());
    EXPECT_STREQ("Untitled2", pSecond->GetName());
    EXPECT_EQ((Lines{ "renamed '' to 'Untitled'", "added Untitled",
                      "renamed '' to 'Untitled'", "renamed 'Untitled' to 'Untitled2'",
                      "added Untitled2" }),
              log.m_lines);
    EXPECT_TRUE(hoard.IsModified());
    EXPECT_EQ(&hoard, pFirst->GetHoard());
}

TEST(Hoard, MakeUniqueNameCountsOnFromTrailingDigits)
{
    struct
    {
        const char* pszExisting[3];
        const char* pszNew;
        const char* pszExpected;
    } cases[] = {
        { { "Bell7" }, "bell7", "bell8" },
        { { "Bell7", "Bell8" }, "Bell7", "Bell9" },
        { { "0" }, "0", "1" },
        { { "12" }, "12", "13" },
        { { "Horn" }, "HORN", "HORN2" },
        { { "Horn", "Horn2", "horn3" }, "Horn", "Horn4" },
        { { "Other" }, "Fresh", "Fresh" },
    };
    for (const auto& c : cases)
    {
        CHoard hoard;
        for (const char* pszName : c.pszExisting)
        {
            if (pszName != NULL)
                NewTest(hoard, pszName);
        }
        CResource* pRes = NewTest(hoard, c.pszNew);
        EXPECT_STREQ(c.pszExpected, pRes->GetName()) << "new " << c.pszNew;
    }
}

TEST(Hoard, LookupIgnoresCaseAndNeverMatchesEmptyNames)
{
    CHoard hoard;
    CResource* pBell = NewTest(hoard, "Bell");
    CResource* pUnnamed = NewTest(hoard, "");
    NewTest(hoard, "");
    EXPECT_EQ(pBell, hoard.GetResource("CTestResource", "bELL"));
    EXPECT_EQ(nullptr, hoard.GetResource("CTestResource", ""));
    EXPECT_EQ(nullptr, hoard.GetResource("CWav", "Bell"));
    EXPECT_STREQ("", pUnnamed->GetName());
    EXPECT_EQ(3, hoard.GetResourceList("CTestResource")->GetCount());
    EXPECT_EQ(nullptr, hoard.NewResource("CNoSuchType", "x"));
}

TEST(Hoard, AddToMapOfAMemberChangesNothing)
{
    CHoard hoard;
    CResource* pRes = NewTest(hoard, "Bell");
    hoard.SetModified(FALSE);
    CMessageLog log;
    hoard.AddToMap(pRes);
    EXPECT_TRUE(log.m_lines.empty());
    EXPECT_FALSE(hoard.IsModified());
    EXPECT_EQ(1, hoard.GetResourceList("CTestResource")->GetCount());
}

TEST(Hoard, AddToMapMovesAResourceOutOfItsOldFile)
{
    CHoard from, to;
    CResource* pRes = NewTest(from, "Bell");
    to.AddToMap(pRes);
    EXPECT_EQ(nullptr, from.GetResourceList("CTestResource"));
    EXPECT_EQ(pRes, to.GetResource("CTestResource", "Bell"));
}

TEST(Hoard, TypesComeAndGoWithTheirResources)
{
    CHoard hoard;
    CResource* pRes = NewTest(hoard, "Bell");
    EXPECT_EQ(1u, hoard.GetNumTypes());
    EXPECT_STREQ("CTestResource", hoard.GetResourceType(0));
    EXPECT_EQ(nullptr, hoard.GetResourceType(hoard.GetNumTypes()));
    hoard.DeleteResource(pRes);
    EXPECT_EQ(0u, hoard.GetNumTypes());
    EXPECT_EQ(nullptr, hoard.GetResourceList("CTestResource"));
}

TEST(Hoard, DeleteResourceAnnouncesBeforeAndAfter)
{
    CHoard hoard;
    CResource* pRes = NewTest(hoard, "Bell");
    hoard.SetModified(FALSE);
    CMessageLog log;
    hoard.DeleteResource(pRes);
    EXPECT_EQ((Lines{ "deleting Bell", "deleted CTestResource Bell" }), log.m_lines);
    EXPECT_TRUE(hoard.IsModified());
}

TEST(Hoard, ResourcesInUseAreNotDeleted)
{
    CHoard hoard;
    CResource* pRes = NewTest(hoard, "Bell");
    CTestResourcePtr ptr(pRes);
    CMessageLog log;
    hoard.DeleteResource(pRes);
    pRes->Delete();
    EXPECT_TRUE(log.m_lines.empty());
    EXPECT_EQ(pRes, hoard.GetResource("CTestResource", "Bell"));
    EXPECT_EQ(0, hoard.RemoveUnused("CTestResource", FALSE));
}

TEST(Hoard, RemoveUnusedCountsOrDestroysQuietly)
{
    CHoard hoard;
    CTestResourcePtr keep(NewTest(hoard, "Keep"));
    NewTest(hoard, "A");
    NewTest(hoard, "B");
    EXPECT_EQ(2, hoard.RemoveUnused("CTestResource", FALSE));
    EXPECT_EQ(3, hoard.GetResourceList("CTestResource")->GetCount());
    CMessageLog log;
    EXPECT_EQ(2, hoard.RemoveUnused("CTestResource", TRUE));
    EXPECT_TRUE(log.m_lines.empty());
    EXPECT_EQ(1, hoard.GetResourceList("CTestResource")->GetCount());
    EXPECT_EQ(0, hoard.RemoveUnused("CNoSuchType", TRUE));
}

TEST(Hoard, SetNameAnnouncesOnlyRealRenamesInAFile)
{
    CHoard hoard;
    CResource* pRes = NewTest(hoard, "foo");
    CMessageLog log;
    pRes->SetName("Foo");       // only the letter case changes
    pRes->SetName("Bar");
    EXPECT_STREQ("Bar", pRes->GetName());
    EXPECT_EQ((Lines{ "renamed 'Foo' to 'Bar'" }), log.m_lines);

    CTestResource loose;
    log.m_lines.clear();
    loose.SetName("Loose");
    EXPECT_TRUE(log.m_lines.empty());
}

TEST(Hoard, CopyToKeepsTheSourceName)
{
    CHoard from, to;
    CTestResource* pSource = NewTest(from, "Bell");
    pSource->m_strText = "ding";
    NewTest(to, "Bell");
    ASSERT_TRUE(pSource->CopyTo(to));
    const CResourceList* pList = to.GetResourceList("CTestResource");
    ASSERT_EQ(2, pList->GetCount());
    auto* pCopy = static_cast<CTestResource*>(pList->GetTail());
    // AddToMap numbered it, SetName gave the name back without a check.
    EXPECT_STREQ("Bell", pCopy->GetName());
    EXPECT_STREQ("ding", pCopy->m_strText);
}

TEST(Hoard, DestroyedDocumentFileIsForgotten)
{
    auto* pHoard = new CHoard;
    pHoard->SetDocumentHoard();
    pHoard->SetApplicationHoard();
    EXPECT_EQ(pHoard, CHoard::GetDocumentHoard());
    delete pHoard;
    EXPECT_EQ(nullptr, CHoard::GetDocumentHoard());
    EXPECT_EQ(nullptr, CHoard::GetApplicationHoard());
}

TEST(Hoard, ModifiedFlagReachesTheDocument)
{
    CDocument doc;
    CHoard hoard;
    hoard.SetDocument(&doc);
    NewTest(hoard, "Bell");
    EXPECT_TRUE(doc.IsModified());
    hoard.SetModified(FALSE);
    EXPECT_FALSE(doc.IsModified());
}

TEST(ResourceClass, RegistryKnowsTypesByExactName)
{
    CResourceClass* pClass = CResourceClass::GetResourceClass("CTestResource");
    ASSERT_NE(nullptr, pClass);
    EXPECT_STREQ("CTestResource", pClass->GetClassName());
    EXPECT_EQ(RUNTIME_CLASS(CTestResource), pClass->GetRuntimeClass());
    EXPECT_EQ(nullptr, CResourceClass::GetResourceClass("ctestresource"));
    EXPECT_FALSE(pClass->CanPreview());
    EXPECT_TRUE(pClass->CanDoCommand(0, CHoard(), NULL));
}

} // namespace
