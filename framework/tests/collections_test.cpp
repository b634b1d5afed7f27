#include <afxcoll.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

// The list front to back, checked against the walk from back to front and the count.
std::string Dump(const CList<int, int>& list)
{
    std::string strForward, strBackward;
    INT_PTR nCount = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL; ++nCount)
        strForward += (strForward.empty() ? "" : " ") + std::to_string(list.GetNext(pos));
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        strBackward = std::to_string(list.GetPrev(pos)) + (strBackward.empty() ? "" : " ") + strBackward;
    EXPECT_EQ(strForward, strBackward) << "the backward links disagree";
    EXPECT_EQ(nCount, list.GetCount());
    return strForward;
}

std::string Dump(const CArray<int, int>& arr)
{
    std::string str;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        str += (i ? " " : "") + std::to_string(arr[i]);
    return str;
}

// Exposes the allocated size of an array.
template <class TYPE, class ARG_TYPE>
class CArrayProbe : public CArray<TYPE, ARG_TYPE>
{
public:
    INT_PTR GetMaxSize() const { return this->m_nMaxSize; }
};

struct Triple
{
    int a, b, c;
    bool operator==(const Triple& t) const { return a == t.a && b == t.b && c == t.c; }
};

UINT StringHash(const char* psz)
{
    UINT nHash = 0;
    for (; *psz; ++psz)
        nHash = nHash * 33 + (UINT)(int)(signed char)*psz;
    return nHash;
}

// The order in which a map iterates: buckets upward, newest entry first in a bucket.
std::vector<std::string> ExpectedOrder(const std::vector<std::string>& keysInserted, UINT nBuckets)
{
    std::vector<std::string> order;
    for (UINT nBucket = 0; nBucket < nBuckets; ++nBucket)
    {
        for (auto it = keysInserted.rbegin(); it != keysInserted.rend(); ++it)
        {
            if (StringHash(it->c_str()) % nBuckets == nBucket)
                order.push_back(*it);
        }
    }
    return order;
}

std::vector<std::string> IterationOrder(const CMapStringToPtr& map)
{
    std::vector<std::string> order;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        CString strKey;
        void* pValue;
        map.GetNextAssoc(pos, strKey, pValue);
        EXPECT_EQ((void*)(UINT_PTR)StringHash(strKey), pValue) << (LPCSTR)strKey;
        order.push_back((LPCSTR)strKey);
    }
    return order;
}

} // namespace

TEST(CList, InsertAndRemove)
{
    CList<int, int> list(2);
    CList<int, int> listOther;
    listOther.AddTail(7);
    listOther.AddTail(8);
    const struct
    {
        const char* context;
        std::function<void(CList<int, int>&)> op;
        const char* expected;
    } steps[] = {
        { "AddTail(1)", [](auto& l) { l.AddTail(1); }, "1" },
        { "AddTail(2)", [](auto& l) { l.AddTail(2); }, "1 2" },
        { "AddHead(0)", [](auto& l) { l.AddHead(0); }, "0 1 2" },
        { "InsertAfter middle", [](auto& l) { l.InsertAfter(l.FindIndex(1), 15); }, "0 1 15 2" },
        { "InsertBefore head", [](auto& l) { l.InsertBefore(l.GetHeadPosition(), -1); }, "-1 0 1 15 2" },
        { "InsertAfter tail", [](auto& l) { l.InsertAfter(l.GetTailPosition(), 3); }, "-1 0 1 15 2 3" },
        { "InsertBefore middle", [](auto& l) { l.InsertBefore(l.Find(15), 12); }, "-1 0 1 12 15 2 3" },
        { "RemoveAt middle", [](auto& l) { l.RemoveAt(l.Find(15)); }, "-1 0 1 12 2 3" },
        { "RemoveHead", [](auto& l) { EXPECT_EQ(-1, l.RemoveHead()); }, "0 1 12 2 3" },
        { "RemoveTail", [](auto& l) { EXPECT_EQ(3, l.RemoveTail()); }, "0 1 12 2" },
        { "RemoveAt tail", [](auto& l) { l.RemoveAt(l.GetTailPosition()); }, "0 1 12" },
        { "RemoveAt head", [](auto& l) { l.RemoveAt(l.GetHeadPosition()); }, "1 12" },
        { "AddHead(list)", [&](auto& l) { l.AddHead(&listOther); }, "7 8 1 12" },
        { "AddTail(list)", [&](auto& l) { l.AddTail(&listOther); }, "7 8 1 12 7 8" },
        { "SetAt", [](auto& l) { l.SetAt(l.FindIndex(2), 5); }, "7 8 5 12 7 8" },
        { "RemoveAll", [](auto& l) { l.RemoveAll(); }, "" },
        { "AddHead on empty", [](auto& l) { l.AddHead(4); }, "4" },
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.context);
        step.op(list);
        EXPECT_EQ(step.expected, Dump(list));
    }
    EXPECT_EQ(4, list.GetHead());
    EXPECT_EQ(4, list.GetTail());
}

TEST(CList, Find)
{
    CStringList list;
    POSITION posA1 = list.AddTail("a");
    POSITION posB = list.AddTail("b");
    POSITION posA2 = list.AddTail("a");
    EXPECT_EQ(posA1, list.Find("a"));
    EXPECT_EQ(posA2, list.Find("a", posA1));
    EXPECT_EQ(NULL, list.Find("a", posA2));
    EXPECT_EQ(posB, list.Find(CString("b")));
    EXPECT_EQ(NULL, list.Find("z"));
    EXPECT_EQ(posA1, list.FindIndex(0));
    EXPECT_EQ(posA2, list.FindIndex(2));
    EXPECT_EQ(NULL, list.FindIndex(3));
    EXPECT_EQ(NULL, list.FindIndex(-1));

    // Object and pointer lists keep the order they were given.
    CFile obs[3];
    CObList listOb;
    CPtrList listPtr;
    for (CFile& ob : obs)
    {
        listOb.AddHead(&ob);
        listPtr.AddTail(&ob);
    }
    EXPECT_EQ(&obs[2], listOb.GetHead());
    EXPECT_EQ(&obs[0], listOb.GetTail());
    EXPECT_EQ(listOb.FindIndex(1), listOb.Find(&obs[1]));
    EXPECT_EQ(listPtr.FindIndex(2), listPtr.Find(&obs[2]));
    EXPECT_EQ(NULL, listPtr.Find(&listOb));
}

// The last element removed gives every block back.
TEST(Collections, StorageFreedWhenEmpty)
{
    size_t nBefore = HeapInUse();
    CList<int, int> list(1000);
    CMapStringToPtr map(1000);
    list.AddTail(1);
    list.AddTail(2);
    map["one"] = NULL;
    map["two"] = NULL;
    EXPECT_LT(nBefore + 2 * 1000 * sizeof(int), HeapInUse());

    list.RemoveHead();
    list.RemoveAt(list.GetHeadPosition());
    EXPECT_TRUE(map.RemoveKey("one"));
    EXPECT_TRUE(map.RemoveKey("two"));
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(0, map.GetCount());
    EXPECT_EQ(nBefore, HeapInUse());
}

TEST(CArray, Growth)
{
    CArrayProbe<int, int> arr;
    const struct { INT_PTR nNewSize, nGrowBy, nExpectedMax; } steps[] = {
        { 1, -1, 1 },           // a first allocation is exact
        { 2, -1, 5 },           // an eighth of 1, at least 4
        { 5, -1, 5 },
        { 6, -1, 9 },
        { 100, -1, 100 },       // a jump beyond one step is exact
        { 101, -1, 112 },       // 100 / 8
        { 20000, -1, 20000 },
        { 20001, -1, 21024 },   // at most 1024
        { 10, -1, 21024 },      // shrinking keeps the storage
        { 21025, 3, 21027 },    // an explicit step
        { 21028, -1, 21030 },   // which stays
        { 0, -1, 0 },           // size 0 frees everything
        { 3, 0, 3 },
        { 4, -1, 7 },           // back to an eighth, at least 4
    };
    for (const auto& step : steps)
    {
        arr.SetSize(step.nNewSize, step.nGrowBy);
        EXPECT_EQ(step.nNewSize, arr.GetSize()) << "SetSize(" << step.nNewSize << ")";
        EXPECT_EQ(step.nExpectedMax, arr.GetMaxSize()) << "SetSize(" << step.nNewSize << ")";
    }
    // Growing keeps the elements; new ones are zero.
    arr.SetAt(0, 11);
    arr.SetAt(3, 14);
    arr.SetSize(40);
    EXPECT_EQ(11, arr[0]);
    EXPECT_EQ(14, arr[3]);
    EXPECT_EQ(0, arr[39]);
    arr.FreeExtra();
    EXPECT_EQ(40, arr.GetMaxSize());
    EXPECT_EQ(14, arr[3]);
}

TEST(CArray, InsertAndRemove)
{
    CArray<int, int> arr;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(i, arr.Add(i));
    const struct
    {
        const char* context;
        std::function<void(CArray<int, int>&)> op;
        const char* expected;
    } steps[] = {
        { "InsertAt(2, 9, 2)", [](auto& a) { a.InsertAt(2, 9, 2); }, "0 1 9 9 2 3 4" },
        { "InsertAt(0, 8)", [](auto& a) { a.InsertAt(0, 8); }, "8 0 1 9 9 2 3 4" },
        { "InsertAt at the end", [](auto& a) { a.InsertAt(8, 7); }, "8 0 1 9 9 2 3 4 7" },
        { "InsertAt past the end", [](auto& a) { a.InsertAt(10, 6); }, "8 0 1 9 9 2 3 4 7 0 6" },
        { "RemoveAt(1, 3)", [](auto& a) { a.RemoveAt(1, 3); }, "8 9 2 3 4 7 0 6" },
        { "RemoveAt(0)", [](auto& a) { a.RemoveAt(0); }, "9 2 3 4 7 0 6" },
        { "RemoveAt the tail", [](auto& a) { a.RemoveAt(5, 2); }, "9 2 3 4 7" },
        { "SetAtGrow", [](auto& a) { a.SetAtGrow(6, 5); }, "9 2 3 4 7 0 5" },
    };
    for (const auto& step : steps)
    {
        step.op(arr);
        EXPECT_EQ(step.expected, Dump(arr)) << step.context;
    }
}

// Elements passed by reference from the array itself survive its reallocation.
TEST(CArray, ElementFromItself)
{
    CArray<Triple, const Triple&> arr;
    arr.SetSize(4);
    for (int i = 0; i < 4; ++i)
        arr[i] = Triple{ i, i * 10, i * 100 };
    arr.Add(arr[0]);
    EXPECT_EQ((Triple{ 0, 0, 0 }), arr[4]);
    arr.SetSize(5, 0);
    arr.FreeExtra();
    arr.InsertAt(0, arr[3], 2);
    EXPECT_EQ((Triple{ 3, 30, 300 }), arr[0]);
    EXPECT_EQ((Triple{ 3, 30, 300 }), arr[1]);
    EXPECT_EQ((Triple{ 3, 30, 300 }), arr[5]);
    arr.FreeExtra();
    arr.SetAtGrow(20, arr[3]);
    EXPECT_EQ((Triple{ 1, 10, 100 }), arr[20]);
}

TEST(CStringArray, Basics)
{
    CStringArray arr;
    arr.Add("a");
    arr.Add("b");
    arr.SetAtGrow(4, "e");
    arr.InsertAt(1, "x");
    arr.RemoveAt(3);
    arr.FreeExtra();
    arr.InsertAt(0, arr[1]);    // from the array itself, which moves
    EXPECT_STREQ("x", arr[0]);
    arr.RemoveAt(0);
    const char* expected[] = { "a", "x", "b", "", "e" };
    ASSERT_EQ(5, arr.GetSize());
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(expected[i], arr[i]) << i;

    // A copy shares the characters until it is written.
    CStringArray copy;
    copy.Copy(arr);
    EXPECT_EQ((LPCSTR)arr[4], (LPCSTR)copy[4]);
    copy[4].MakeUpper();
    EXPECT_STREQ("E", copy[4]);
    EXPECT_STREQ("e", arr[4]);
    EXPECT_EQ(5, copy.Append(arr));
    EXPECT_STREQ("x", copy[6]);
}

// 17 buckets by default; entries come bucket by bucket, newest first in a bucket.
TEST(CMap, IterationOrder)
{
    std::vector<std::string> keys = { "\xE9t\xE9", "\xFF", "\x80q", "" };
    for (int i = 0; i < 30; ++i)
        keys.push_back("key" + std::to_string(i));

    for (UINT nBuckets : { 0u, 7u })
    {
        SCOPED_TRACE(nBuckets ? "7 buckets" : "default buckets");
        CMapStringToPtr map;
        if (nBuckets != 0)
            map.InitHashTable(nBuckets);
        else
            nBuckets = 17;
        EXPECT_EQ(nBuckets, map.GetHashTableSize());
        for (const auto& key : keys)
            map.SetAt(key.c_str(), (void*)(UINT_PTR)StringHash(key.c_str()));
        EXPECT_EQ((INT_PTR)keys.size(), map.GetCount());
        EXPECT_EQ(ExpectedOrder(keys, nBuckets), IterationOrder(map));

        // Remove a newest, a middle and an oldest entry of some buckets.
        std::vector<std::string> remaining = keys;
        for (const char* pszKey : { "key29", "key15", "\xE9t\xE9", "" })
        {
            EXPECT_TRUE(map.RemoveKey(pszKey)) << pszKey;
            EXPECT_FALSE(map.RemoveKey(pszKey)) << pszKey;
            remaining.erase(std::find(remaining.begin(), remaining.end(), pszKey));
        }
        EXPECT_EQ(ExpectedOrder(remaining, nBuckets), IterationOrder(map));

        // Setting an existing key keeps its place.
        map["key3"] = (void*)(UINT_PTR)StringHash("key3");
        EXPECT_EQ(ExpectedOrder(remaining, nBuckets), IterationOrder(map));

        void* pValue = NULL;
        EXPECT_TRUE(map.Lookup("key7", pValue));
        EXPECT_EQ((void*)(UINT_PTR)StringHash("key7"), pValue);
        EXPECT_FALSE(map.Lookup("key15", pValue));
        EXPECT_FALSE(map.Lookup("KEY7", pValue));
    }
}

// Collections of structures are commonly declared with a const reference as the argument
// type: lookups and finds must then compare through the reference.
namespace {

struct CGridCell
{
    int nRow, nColumn;
    bool operator==(const CGridCell& other) const { return nRow == other.nRow && nColumn == other.nColumn; }
};

} // namespace

template <>
inline UINT AFXAPI HashKey<const CGridCell&>(const CGridCell& key)
{
    return (UINT)(key.nRow * 31 + key.nColumn);
}

TEST(CMap, ReferenceArgumentTypes)
{
    CMap<CGridCell, const CGridCell&, int, int> map;
    for (int i = 0; i < 40; ++i)
        map[CGridCell{ i / 8, i % 8 }] = i;
    int nValue = -1;
    EXPECT_TRUE(map.Lookup(CGridCell{ 3, 5 }, nValue));
    EXPECT_EQ(29, nValue);
    EXPECT_FALSE(map.Lookup(CGridCell{ 5, 3 }, nValue));
    EXPECT_TRUE(map.RemoveKey(CGridCell{ 3, 5 }));
    EXPECT_FALSE(map.Lookup(CGridCell{ 3, 5 }, nValue));
    EXPECT_EQ(39, map.GetCount());

    CList<CString, const CString&> list;
    list.AddTail(CString("a"));
    POSITION posB = list.AddTail(CString("b"));
    EXPECT_EQ(posB, list.Find(CString("b")));
    EXPECT_EQ(NULL, list.Find(CString("c")));
}

TEST(CMap, StringToOb)
{
    CMapStringToOb map;
    EXPECT_EQ(NULL, map.GetStartPosition());
    CObList ob1, ob2;
    map.SetAt("one", &ob1);
    map.SetAt("two", &ob2);
    map.SetAt("one", &ob2);
    EXPECT_EQ(2, map.GetCount());
    CObject* pOb = NULL;
    EXPECT_TRUE(map.Lookup("one", pOb));
    EXPECT_EQ(&ob2, pOb);
    EXPECT_TRUE(map.RemoveKey("one"));
    EXPECT_FALSE(map.Lookup("one", pOb));
    EXPECT_TRUE(map.Lookup("two", pOb));
    EXPECT_TRUE(map.IsSerializable());
    EXPECT_STREQ("CMapStringToPtr", CMapStringToPtr().GetRuntimeClass()->m_lpszClassName);
}

TEST(CMap, WordKeysAndValuesSerializeWithTheirObjects)
{
    CMapWordToPtr wordToPtr;
    int nTarget = 0;
    wordToPtr[0xFFFF] = &nTarget;
    wordToPtr.SetAt(1, NULL);
    void* pValue = NULL;
    EXPECT_TRUE(wordToPtr.Lookup(0xFFFF, pValue));
    EXPECT_EQ(&nTarget, pValue);
    EXPECT_EQ(2, wordToPtr.GetCount());

    CMapPtrToWord ptrToWord;
    ptrToWord[&nTarget] = 7;
    WORD wValue = 0;
    EXPECT_TRUE(ptrToWord.Lookup(&nTarget, wValue));
    EXPECT_EQ(7, wValue);
    EXPECT_FALSE(ptrToWord.Lookup(NULL, wValue));

    // The objects travel with the map and come back as new objects of their class.
    CMapWordToOb map;
    CStringList list;
    list.AddTail("alpha");
    map.SetAt(40000, &list);
    map.SetAt(3, &list);                    // one object, stored once
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &map;
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CObject* pLoaded = NULL;
    ar >> pLoaded;
    auto* pMap = dynamic_cast<CMapWordToOb*>(pLoaded);
    ASSERT_NE(nullptr, pMap);
    CObject* pFirst = NULL;
    CObject* pSecond = NULL;
    ASSERT_TRUE(pMap->Lookup(40000, pFirst));
    ASSERT_TRUE(pMap->Lookup(3, pSecond));
    EXPECT_EQ(pFirst, pSecond);
    auto* pList = dynamic_cast<CStringList*>(pFirst);
    ASSERT_NE(nullptr, pList);
    EXPECT_STREQ("alpha", pList->GetHead());
    delete pList;
    delete pMap;
}
