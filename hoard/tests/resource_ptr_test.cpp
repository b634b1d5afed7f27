// Counting resource pointers and the collapsing of identical resources.
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

CTestResource* NewText(CHoard& hoard, const char* pszName, const char* pszText)
{
    auto* pRes = static_cast<CTestResource*>(hoard.NewResource("CTestResource", pszName));
    pRes->m_strText = pszText;
    return pRes;
}

TEST(ResourcePtr, CountsItselfInAndOut)
{
    CHoard hoard;
    CResource* pRes = NewText(hoard, "A", "a");
    {
        CTestResourcePtr ptr(pRes);
        EXPECT_EQ(1, pRes->GetUsageCount());
        pRes->Delete();                     // in use: stays
        EXPECT_EQ(pRes, hoard.GetResource("CTestResource", "A"));
        CTestResourcePtr quiet(pRes, FALSE);
        EXPECT_EQ(1, pRes->GetUsageCount());
        quiet.SetIncrementUsage(TRUE);
        EXPECT_EQ(2, pRes->GetUsageCount());
        quiet.SetIncrementUsage(FALSE);
        EXPECT_EQ(1, pRes->GetUsageCount());
    }
    EXPECT_EQ(0, pRes->GetUsageCount());
    pRes->Delete();
    EXPECT_EQ(nullptr, hoard.GetResource("CTestResource", "A"));
}

TEST(ResourcePtr, AssignmentMovesTheCount)
{
    CHoard hoard;
    CResource* pA = NewText(hoard, "A", "a");
    CResource* pB = NewText(hoard, "B", "b");
    CTestResourcePtr ptr(pA);
    ptr = pA;
    EXPECT_EQ(1, pA->GetUsageCount());
    ptr = pB;
    EXPECT_EQ(0, pA->GetUsageCount());
    EXPECT_EQ(1, pB->GetUsageCount());
    CTestResourcePtr other;
    other = ptr;
    EXPECT_EQ(2, pB->GetUsageCount());
}

TEST(ResourcePtr, DestroyedResourceLeavesEveryPointerNull)
{
    CHoard hoard;
    CResource* pRes = NewText(hoard, "A", "a");
    CTestResourcePtr p1(pRes), p2(pRes);
    hoard.RemoveContents();
    EXPECT_EQ(nullptr, p1.Get());
    EXPECT_EQ(nullptr, p2.Get());
}

// A resource that holds a pointer to another resource of the same file.
class CHolder : public CTestResource
{
public:
    CTestResourcePtr m_ptr;
};

TEST(ResourcePtr, RemoveContentsLeavesOtherCountsAlone)
{
    CHoard hoard;
    CResource* pTarget = NewText(hoard, "Target", "t");
    auto* pHolder = new CHolder;
    pHolder->m_ptr = pTarget;
    hoard.AddToMap(pHolder);
    CTestResourcePtr outside(pTarget);
    EXPECT_EQ(2, pTarget->GetUsageCount());
    // The holder may go first; the target's count must not change under it.
    hoard.RemoveContents();
    EXPECT_EQ(nullptr, outside.Get());
}

TEST(ResourcePtr, CollapsingKeepsTheFirstAndMovesEveryPointer)
{
    CHoard hoard;
    CResource* pA = NewText(hoard, "A", "same");
    CResource* pB = NewText(hoard, "B", "same");
    CResource* pOther = NewText(hoard, "Other", "different");
    CResource* pC = NewText(hoard, "C", "same");
    CTestResourcePtr toB1(pB), toB2(pB), toC(pC), toA(pA);
    hoard.CollapseIdenticalResources();
    EXPECT_EQ(pA, toB1.Get());
    EXPECT_EQ(pA, toB2.Get());
    EXPECT_EQ(pA, toC.Get());
    EXPECT_EQ(4, pA->GetUsageCount());
    EXPECT_EQ(2, hoard.GetResourceList("CTestResource")->GetCount());
    EXPECT_EQ(pOther, hoard.GetResource("CTestResource", "Other"));
    EXPECT_EQ(nullptr, hoard.GetResource("CTestResource", "B"));
}

TEST(ResourcePtr, CopyBeforeWriteCopiesOnlyShared)
{
    CHoard hoard;
    CResource* pRes = NewText(hoard, "A", "a");
    CTestResourcePtr ptr(pRes);
    ptr.CopyBeforeWrite();
    EXPECT_EQ(pRes, ptr.Get());
    CTestResourcePtr other(pRes);
    ptr.CopyBeforeWrite();
    ASSERT_NE(pRes, ptr.Get());
    EXPECT_EQ(1, pRes->GetUsageCount());
    EXPECT_EQ(1, ptr.Get()->GetUsageCount());
    EXPECT_STREQ("a", static_cast<CTestResource*>(ptr.Get())->m_strText);
    delete ptr.Get();
}

TEST(ResourcePtr, RemoveIfIdenticalFindsOnlyItself)
{
    CHoard hoard;
    CResource* pA = NewText(hoard, "A", "same");
    NewText(hoard, "B", "same");
    CTestResourcePtr ptr(pA);
    ptr.RemoveIfIdentical();
    EXPECT_EQ(pA, ptr.Get());
    EXPECT_EQ(1, pA->GetUsageCount());
}

TEST(ResourcePtr, DeleteResourceDeletesTheLastUse)
{
    CHoard hoard;
    CResource* pRes = NewText(hoard, "A", "a");
    CTestResourcePtr p1(pRes), p2(pRes);
    CMessageLog log;
    p1.DeleteResource();
    EXPECT_EQ(nullptr, p1.Get());
    EXPECT_EQ(pRes, p2.Get());
    EXPECT_TRUE(log.m_lines.empty());
    p2.DeleteResource();
    EXPECT_EQ(nullptr, p2.Get());
    EXPECT_EQ((std::vector<std::string>{ "deleting A", "deleted CTestResource A" }), log.m_lines);
}

} // namespace
