// The freeable-memory manager: the list in order of use and the walk that frees.
#include "hoard/runtime/Freeable.h"
#include "hoard/runtime/TempMem.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A freeable object that logs each call by its name, gives back a fixed amount and
// may do something more from inside the call.
class CProbe : public CFreeable
{
public:
    explicit CProbe(char chName, DWORD dwRelease = 0) : m_chName(chName), m_dwRelease(dwRelease) {}

    static INT_PTR LiveCount() { return m_listFreeable.GetCount(); }
    // The names from the head of the list to its tail.
    static std::string Order()
    {
        std::string s;
        for (POSITION pos = m_listFreeable.GetHeadPosition(); pos != NULL;)
            s += static_cast<CProbe*>(static_cast<CFreeable*>(m_listFreeable.GetNext(pos)))->m_chName;
        return s;
    }

    char m_chName;
    DWORD m_dwRelease;
    std::function<void(CProbe*)> m_onFree;
    static std::string s_log;

protected:
    DWORD FreeUnusedMemory() override
    {
        // The action may destroy this object: take what is needed first.
        DWORD dwRelease = m_dwRelease;
        std::function<void(CProbe*)> onFree = m_onFree;
        s_log += m_chName;
        if (onFree)
            onFree(this);
        return dwRelease;
    }
};

std::string CProbe::s_log;

class FreeableTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, CProbe::LiveCount()) << "freeable objects left over";
        CProbe::s_log.clear();
    }
    void TearDown() override { EXPECT_EQ(0, CProbe::LiveCount()); }
};

} // namespace

TEST_F(FreeableTest, EmptyListFreesNothing)
{
    EXPECT_EQ(0u, CFreeable::FreeSomeMemory(FALSE));
    EXPECT_EQ(0u, CFreeable::FreeSomeMemory(TRUE));
}

TEST_F(FreeableTest, NewObjectsAndCopiesGoToTheHead)
{
    CProbe a('a');
    CProbe b('b');
    EXPECT_EQ("ba", CProbe::Order());
    {
        CProbe c(a);
        c.m_chName = 'c';
        EXPECT_EQ("cba", CProbe::Order());
        // Assignment moves nobody.
        a = b;
        a.m_chName = 'a';
        EXPECT_EQ("cba", CProbe::Order());
    }
    EXPECT_EQ("ba", CProbe::Order());
}

TEST_F(FreeableTest, WalksFromTheLeastRecentlyUsed)
{
    struct
    {
        const char* pszContext;
        DWORD dwReleases[3];    // of a (tail), b, c (head)
        BOOL bAll;
        DWORD dwExpected;
        const char* pszAsked;
    } cases[] = {
        { "stops at the first that frees", { 0, 1000, 5 }, FALSE, 1000, "ab" },
        { "the tail frees", { 7, 1000, 5 }, FALSE, 7, "a" },
        { "nobody frees", { 0, 0, 0 }, FALSE, 0, "abc" },
        { "all are asked", { 0, 1000, 5 }, TRUE, 1005, "abc" },
    };
    for (const auto& c : cases)
    {
        CProbe a('a', c.dwReleases[0]);
        CProbe b('b', c.dwReleases[1]);
        CProbe cc('c', c.dwReleases[2]);
        CProbe::s_log.clear();
        EXPECT_EQ(c.dwExpected, CFreeable::FreeSomeMemory(c.bAll)) << c.pszContext;
        EXPECT_EQ(c.pszAsked, CProbe::s_log) << c.pszContext;
        // Freeing does not move anybody.
        EXPECT_EQ("cba", CProbe::Order()) << c.pszContext;
    }
}

TEST_F(FreeableTest, FreshenAndMakeExpendableReorder)
{
    CProbe a('a');
    CProbe b('b');
    CProbe c('c');
    a.Freshen();
    EXPECT_EQ("acb", CProbe::Order());
    a.Freshen();
    EXPECT_EQ("acb", CProbe::Order());
    c.MakeExpendable();
    EXPECT_EQ("abc", CProbe::Order());
    c.MakeExpendable();
    EXPECT_EQ("abc", CProbe::Order());
    CFreeable::FreeAll();
    EXPECT_EQ("cba", CProbe::s_log);
}

TEST_F(FreeableTest, NestedCallReturnsZeroAndAsksNobody)
{
    CProbe a('a', 10);
    CProbe b('b', 20);
    DWORD dwNested = 12345;
    a.m_onFree = [&dwNested](CProbe*) { dwNested = CFreeable::FreeSomeMemory(TRUE); };
    EXPECT_EQ(30u, CFreeable::FreeSomeMemory(TRUE));
    EXPECT_EQ(0u, dwNested);
    EXPECT_EQ("ab", CProbe::s_log);
    // The flag is down again.
    EXPECT_EQ(10u, CFreeable::FreeSomeMemory(FALSE));
}

TEST_F(FreeableTest, ExceptionEndsTheWalk)
{
    CProbe a('a');
    CProbe b('b', 5);
    a.m_onFree = [](CProbe*) { AfxThrowMemoryException(); };
    EXPECT_THROW(CFreeable::FreeSomeMemory(TRUE), CMemoryException*);
    a.m_onFree = nullptr;
    CProbe::s_log.clear();
    EXPECT_EQ(5u, CFreeable::FreeSomeMemory(TRUE));
    EXPECT_EQ("ab", CProbe::s_log);
}

TEST_F(FreeableTest, WalkSurvivesObjectsDestroyedOrMovedFromInside)
{
    // Objects a (tail) .. e (head); the one named acts while it is asked.
    struct
    {
        const char* pszContext;
        char chActor;
        std::function<void(CProbe*, CProbe**)> action;  // the object, all five by name
        const char* pszAsked;
        const char* pszLeft;    // head to tail afterwards
    } cases[] = {
        { "destroys itself", 'b', [](CProbe* p, CProbe** pp) { pp[1] = NULL; delete p; }, "abcde", "edca" },
        { "destroys the next one asked", 'b', [](CProbe*, CProbe** pp) { delete pp[2]; pp[2] = NULL; },
          "abde", "edba" },
        { "destroys the next two", 'b',
          [](CProbe*, CProbe** pp) { delete pp[2]; delete pp[3]; pp[2] = pp[3] = NULL; }, "abe", "eba" },
        { "destroys one already asked", 'c', [](CProbe*, CProbe** pp) { delete pp[0]; pp[0] = NULL; },
          "abcde", "edcb" },
        { "destroys every other object and itself", 'c',
          [](CProbe*, CProbe** pp) {
              for (int i = 0; i < 5; ++i)
              {
                  delete pp[i];
                  pp[i] = NULL;
              }
          },
          "abc", "" },
        // Moved to the head, it is asked when the walk gets there.
        { "freshens the next one asked", 'b', [](CProbe*, CProbe** pp) { pp[2]->Freshen(); }, "abdec",
          "cedba" },
        { "makes the next one expendable", 'b', [](CProbe*, CProbe** pp) { pp[2]->MakeExpendable(); },
          "abde", "edbac" },
        { "freshens itself", 'b', [](CProbe* p, CProbe**) { p->Freshen(); }, "abcdeb", "bedca" },
        { "creates a new object", 'b', [](CProbe*, CProbe** pp) { pp[5] = new CProbe('f'); }, "abcdef",
          "fedcba" },
    };
    for (const auto& c : cases)
    {
        CProbe* probes[6] = {};
        for (int i = 0; i < 5; ++i)
            probes[i] = new CProbe((char)('a' + i));
        CProbe* pActor = probes[c.chActor - 'a'];
        auto action = c.action;
        pActor->m_onFree = [&probes, action](CProbe* p) { action(p, probes); };
        CProbe::s_log.clear();
        EXPECT_EQ(0u, CFreeable::FreeSomeMemory(TRUE)) << c.pszContext;
        EXPECT_EQ(c.pszAsked, CProbe::s_log) << c.pszContext;
        EXPECT_EQ(c.pszLeft, CProbe::Order()) << c.pszContext;
        for (CProbe* p : probes)
            delete p;
    }
}

TEST(TempMem, HoldsOneBlockAtATime)
{
    CTempMem<BYTE> mem;
    EXPECT_EQ(NULL, mem.GetData());
    BYTE* p = mem.SetCount(100);
    ASSERT_NE(nullptr, p);
    memset(p, 0x5A, 100);
    mem.FreeAll();
    EXPECT_EQ(NULL, mem.GetData());

    CTempMem<DWORD> words(0x10000);
    ASSERT_NE(nullptr, words.GetData());
    words.GetData()[0xFFFF] = 1;
    // A count whose bytes do not fit 32 bits is refused before anything is allocated.
    EXPECT_THROW(words.SetCount(0x40000001), CMemoryException*);
}
