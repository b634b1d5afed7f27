#include <afx.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "test_support.h"

using namespace std::string_literals;

namespace {

// Serializable test classes; they count their live instances.
class CArcPoint : public CObject
{
    DECLARE_SERIAL(CArcPoint)
public:
    explicit CArcPoint(LONG x = 0) : m_x(x) { ++s_nLive; }
    ~CArcPoint() override { --s_nLive; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_x;
            return;
        }
        m_nSchema = ar.GetObjectSchema();
        ar >> m_x;
    }

    LONG m_x;
    UINT m_nSchema = 0;
    static int s_nLive;
};
int CArcPoint::s_nLive = 0;

// Owns a child object; loading throws after the child when x is 0xBAD.
class CArcNode : public CArcPoint
{
    DECLARE_SERIAL(CArcNode)
public:
    explicit CArcNode(LONG x = 0, CObject* pChild = NULL) : CArcPoint(x), m_pChild(pChild) {}
    ~CArcNode() override { delete m_pChild; }
    void Serialize(CArchive& ar) override
    {
        CArcPoint::Serialize(ar);
        if (ar.IsStoring())
        {
            ar << m_pChild;
            return;
        }
        ar >> m_pChild;
        if (m_x == 0xBAD)
            AfxThrowArchiveException(CArchiveException::generic);
    }

    CObject* m_pChild;
};

// Creatable by name but not serializable.
class CArcPlain : public CObject
{
    DECLARE_DYNCREATE(CArcPlain)
};

IMPLEMENT_SERIAL(CArcPoint, CObject, 1)
IMPLEMENT_SERIAL(CArcNode, CArcPoint, 2)
IMPLEMENT_DYNCREATE(CArcPlain, CObject)

// A memory file that notes the largest request it served and the most heap in use
// while it served one.
class CProbeFile : public CMemFile
{
public:
    UINT Read(void* lpBuf, UINT nCount) override
    {
        Note(nCount);
        return CMemFile::Read(lpBuf, nCount);
    }
    void Write(const void* lpBuf, UINT nCount) override
    {
        Note(nCount);
        CMemFile::Write(lpBuf, nCount);
    }

    UINT m_nMaxRequest = 0;
    size_t m_nPeakHeap = 0;

private:
    void Note(UINT nCount)
    {
        m_nMaxRequest = std::max(m_nMaxRequest, nCount);
        m_nPeakHeap = std::max(m_nPeakHeap, HeapInUse());
    }
};

std::string Pattern(size_t nLen)
{
    std::string str(nLen, '\0');
    for (size_t i = 0; i < nLen; ++i)
        str[i] = (char)('a' + i % 26);
    return str;
}

// The record of a new CArcPoint (5) with its new class: class 1, object 2.
const std::string strPointRecord = "\xFF\xFF\x01\x00\x09\x00" "CArcPoint" "\x05\x00\x00\x00"s;

} // namespace

// Versionable classes: one at schema 3, one with every bit of the schema set. Outside
// the anonymous namespace, since the tests read them by class name only.
class CArcVersioned : public CArcPoint
{
    DECLARE_SERIAL(CArcVersioned)
};

class CArcAnySchema : public CArcPoint
{
    DECLARE_SERIAL(CArcAnySchema)
};

IMPLEMENT_SERIAL(CArcVersioned, CArcPoint, VERSIONABLE_SCHEMA | 3)
IMPLEMENT_SERIAL(CArcAnySchema, CArcPoint, 0xFFFFFFFF)

TEST(CArchive, StringsAndCounts)
{
    const struct { DWORD nLen; std::string strPrefix; } strings[] = {
        { 0, "\x00"s },
        { 254, "\xFE" },
        { 255, "\xFF\xFF\x00"s },
        { 0xFFFD, "\xFF\xFD\xFF" },
        { 0xFFFE, "\xFF\xFF\xFF\xFE\xFF\x00\x00"s },
        { 0x10000, "\xFF\xFF\xFF\x00\x00\x01\x00"s },
    };
    for (const auto& c : strings)
    {
        SCOPED_TRACE(c.nLen);
        CString str(Pattern(c.nLen).c_str());
        std::string strBytes = Store([&](CArchive& ar) { ar << str << (BYTE)'Z'; });
        EXPECT_EQ(c.strPrefix + Pattern(c.nLen) + "Z", strBytes);
        Load(strBytes, [&](CArchive& ar) {
            CString strLoaded("old");
            BYTE by;
            ar >> strLoaded >> by;
            EXPECT_EQ(str, strLoaded);
            EXPECT_EQ('Z', by);
        });
    }

    const struct { DWORD nCount; std::string strBytes; } counts[] = {
        { 0, "\x00\x00"s },
        { 0xFFFE, "\xFE\xFF" },
        { 0xFFFF, "\xFF\xFF\xFF\xFF\x00\x00"s },
        { 0x12345678, "\xFF\xFF\x78\x56\x34\x12" },
    };
    for (const auto& c : counts)
    {
        std::string strBytes = Store([&](CArchive& ar) { ar.WriteCount(c.nCount); });
        EXPECT_EQ(c.strBytes, strBytes) << c.nCount;
        Load(strBytes, [&](CArchive& ar) { EXPECT_EQ(c.nCount, ar.ReadCount()); });
    }
}

// Classes and objects share one index sequence that starts at 1.
TEST(CArchive, ObjectRecords)
{
    CArcPoint a1(5);
    CArcPoint* pChild = new CArcPoint(8);
    CArcNode b1(6, pChild);
    std::string strBytes = Store([&](CArchive& ar) {
        ar << (CObject*)NULL << &a1 << &a1 << &b1 << pChild << &b1;
    });
    const std::string strExpected = "\x00\x00"s + strPointRecord + "\x02\x00"s
        + "\xFF\xFF\x02\x00\x08\x00" "CArcNode" "\x06\x00\x00\x00"s   // class 3, object 4
        + "\x01\x80\x08\x00\x00\x00"s                                 // class 1, object 5
        + "\x05\x00\x04\x00"s;
    EXPECT_EQ(strExpected, strBytes);

    Load(strBytes, [&](CArchive& ar) {
        CObject* pNull = &a1;
        CArcPoint* p1;
        CObject *p2, *pChildAgain, *pNodeAgain;
        CArcNode* pNode;
        ar >> pNull >> p1 >> p2 >> pNode >> pChildAgain >> pNodeAgain;
        ASSERT_TRUE(pNull == NULL && p1 != NULL && pNode != NULL && pNode->m_pChild != NULL);
        EXPECT_EQ(RUNTIME_CLASS(CArcPoint), p1->GetRuntimeClass());
        EXPECT_TRUE(p1->m_x == 5 && p1->m_nSchema == 1 && p2 == p1);
        EXPECT_EQ(RUNTIME_CLASS(CArcNode), pNode->GetRuntimeClass());
        EXPECT_TRUE(pNode->m_x == 6 && pNode->m_nSchema == 2 && pNodeAgain == pNode);
        EXPECT_EQ(8, static_cast<CArcPoint*>(pNode->m_pChild)->m_x);
        EXPECT_EQ(pNode->m_pChild, pChildAgain);
        delete p1;
        delete pNode;
    });
    EXPECT_EQ(3, CArcPoint::s_nLive);
}

// Mapped objects take indices; from 0x7FFF on, indices are written as 0x7FFF and 32 bits.
TEST(CArchive, BigIndices)
{
    const int nMapped = 0x7FFE;
    std::unique_ptr<CArcPoint[]> pMapped(new CArcPoint[nMapped]);
    CArcPoint a1(5), a2(7);
    std::string strBytes = Store([&](CArchive& ar) {
        for (int i = 0; i < nMapped; ++i)
            ar.MapObject(&pMapped[i]);
        ar << &a1 << &a1 << &a2 << &pMapped[nMapped - 1] << &pMapped[0];
    });
    const std::string strExpected = strPointRecord          // class 0x7FFF, object 0x8000
        + "\xFF\x7F\x00\x80\x00\x00"s                       // object 0x8000
        + "\xFF\x7F\xFF\x7F\x00\x80\x07\x00\x00\x00"s       // class 0x7FFF, object 0x8001
        + "\xFE\x7F\x01\x00"s;
    EXPECT_EQ(strExpected, strBytes);

    Load(strBytes, [&](CArchive& ar) {
        for (int i = 0; i < nMapped; ++i)
            ar.MapObject(&pMapped[i]);
        CArcPoint *p1, *p1Again, *p2, *pLast, *pFirst;
        ar >> p1 >> p1Again >> p2 >> pLast >> pFirst;
        EXPECT_EQ(5, p1->m_x);
        EXPECT_EQ(p1, p1Again);
        EXPECT_EQ(7, p2->m_x);
        EXPECT_EQ(&pMapped[nMapped - 1], pLast);
        EXPECT_EQ(&pMapped[0], pFirst);
        delete p1;
        delete p2;
    });
}

// Damaged or unexpected records raise the archive exception; nothing leaks.
TEST(CArchive, BadRecords)
{
    const std::string strNodeRecord = "\xFF\xFF\x02\x00\x08\x00" "CArcNode" "\xAD\x0B\x00\x00"
                                      "\xFF\xFF\x01\x00\x09\x00" "CArcPoint" "\x08\x00\x00\x00"s;
    const struct
    {
        const char* context;
        std::string strBytes;
        int nGoodReads;                 // 1 when a good object comes first
        CRuntimeClass* pRequested;      // for the bad one
        int nCause;
    } cases[] = {
        { "schema mismatch", "\xFF\xFF\x02\x00\x09\x00" "CArcPoint" "\x05\x00\x00\x00"s, 0, NULL,
          CArchiveException::badSchema },
        { "unknown class", "\xFF\xFF\x01\x00\x09\x00" "CArcPoinX" "\x05\x00\x00\x00"s, 0, NULL,
          CArchiveException::badClass },
        { "class name too long", "\xFF\xFF\x01\x00\x50\x00"s + std::string(80, 'x'), 0, NULL,
          CArchiveException::badClass },
        { "class not serializable", "\xFF\xFF\xFF\xFF\x09\x00" "CArcPlain" "\x00\x00"s, 0, NULL,
          CArchiveException::badClass },
        { "wrong class requested", strPointRecord, 0, RUNTIME_CLASS(CArcNode),
          CArchiveException::badClass },
        { "reference of the wrong class", strPointRecord + "\x02\x00"s, 1, RUNTIME_CLASS(CArcNode),
          CArchiveException::badClass },
        { "unknown object", "\x05\x00"s, 0, NULL, CArchiveException::badIndex },
        { "unknown object after records", strPointRecord + "\x03\x00"s, 1, NULL,
          CArchiveException::badIndex },
        { "class index as object", strPointRecord + "\x01\x00"s, 1, NULL, CArchiveException::badIndex },
        { "object index as class", strPointRecord + "\x02\x80"s, 1, NULL, CArchiveException::badIndex },
        { "unknown class index", "\x09\x80"s, 0, NULL, CArchiveException::badIndex },
        { "class index 0", "\x00\x80"s, 0, NULL, CArchiveException::badIndex },
        { "unknown 32-bit object", "\xFF\x7F\x00\x00\x00\x40"s, 0, NULL, CArchiveException::badIndex },
        { "32-bit class index as object", strPointRecord + "\xFF\x7F\x01\x00\x00\x00"s, 1, NULL,
          CArchiveException::badIndex },
        { "32-bit object index as class", strPointRecord + "\xFF\x7F\x02\x00\x00\x80"s, 1, NULL,
          CArchiveException::badIndex },
        { "empty", "", 0, NULL, CArchiveException::endOfFile },
        { "half a tag", "\xFF", 0, NULL, CArchiveException::endOfFile },
        { "truncated 32-bit index", "\xFF\x7F\x01", 0, NULL, CArchiveException::endOfFile },
        { "truncated class record", "\xFF\xFF\x01\x00"s, 0, NULL, CArchiveException::endOfFile },
        { "truncated class name", "\xFF\xFF\x01\x00\x09\x00" "CArc"s, 0, NULL,
          CArchiveException::endOfFile },
        { "truncated object", strPointRecord.substr(0, strPointRecord.size() - 2), 0, NULL,
          CArchiveException::endOfFile },
        { "Serialize throws", strNodeRecord, 0, NULL, CArchiveException::generic },
        { "child truncated", strNodeRecord.substr(0, strNodeRecord.size() - 1), 0, NULL,
          CArchiveException::endOfFile },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        int nLive = CArcPoint::s_nLive;
        Load(c.strBytes, [&](CArchive& ar) {
            CObject* pGood = c.nGoodReads ? ar.ReadObject(NULL) : NULL;
            EXPECT_EQ(c.nCause, CauseOf<CArchiveException>([&] { ar.ReadObject(c.pRequested); }));
            delete pGood;
        });
        EXPECT_EQ(nLive, CArcPoint::s_nLive) << "objects leaked";
    }
}

// A versionable class is stored with the low 16 bits of its schema and reads any stored
// schema, which its objects learn from GetObjectSchema; later objects of the class that
// refer to the class record get the same stored schema.
TEST(CArchive, VersionableSchema)
{
    CArcVersioned versioned;
    CArcAnySchema any;
    EXPECT_EQ("\xFF\xFF\x03\x00\x0D\x00" "CArcVersioned" "\x00\x00\x00\x00"
              "\xFF\xFF\xFF\xFF\x0D\x00" "CArcAnySchema" "\x00\x00\x00\x00"s,
              Store([&](CArchive& ar) { ar << &versioned << &any; }));

    const struct
    {
        const char* pszClass;
        WORD wStored;
    } cases[] = {
        { "CArcVersioned", 3 }, { "CArcVersioned", 1 }, { "CArcVersioned", 0xFFFF },
        { "CArcAnySchema", 0 }, { "CArcAnySchema", 7 }, { "CArcAnySchema", 0xFFFF },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszClass) + " stored with schema " + std::to_string(c.wStored));
        std::string strRecord = "\xFF\xFF"s + std::string((const char*)&c.wStored, 2) + "\x0D\x00"s
                              + c.pszClass + "\x05\x00\x00\x00"s + "\x01\x80\x06\x00\x00\x00"s;
        Load(strRecord, [&](CArchive& ar) {
            std::unique_ptr<CObject> p1(ar.ReadObject(RUNTIME_CLASS(CArcPoint)));
            std::unique_ptr<CObject> p2(ar.ReadObject(RUNTIME_CLASS(CArcPoint)));
            auto* pFirst = static_cast<CArcPoint*>(p1.get());
            auto* pSecond = static_cast<CArcPoint*>(p2.get());
            EXPECT_STREQ(c.pszClass, pFirst->GetRuntimeClass()->m_lpszClassName);
            EXPECT_EQ(5, pFirst->m_x);
            EXPECT_EQ(6, pSecond->m_x);
            EXPECT_EQ(c.wStored, pFirst->m_nSchema);
            EXPECT_EQ(c.wStored, pSecond->m_nSchema);
        });
    }
}

// The count of numbered records rises with every object a read creates, and not for a
// reference to an earlier one.
TEST(CArchive, MapCount)
{
    CArcPoint a1(5);
    std::string strBytes = Store([&](CArchive& ar) {
        EXPECT_EQ(1u, ar.GetMapCount());
        ar << &a1;
        EXPECT_EQ(3u, ar.GetMapCount());
        ar << &a1 << (CObject*)NULL;
        EXPECT_EQ(3u, ar.GetMapCount());
    });
    Load(strBytes + "\x01\x80\x05\x00\x00\x00"s, [](CArchive& ar) {
        std::unique_ptr<CObject> p1(ar.ReadObject(NULL));
        EXPECT_EQ(3u, ar.GetMapCount()) << "a new class and a new object";
        EXPECT_EQ(p1.get(), ar.ReadObject(NULL));
        EXPECT_EQ(NULL, ar.ReadObject(NULL));
        EXPECT_EQ(3u, ar.GetMapCount()) << "a reference and null";
        std::unique_ptr<CObject> p2(ar.ReadObject(NULL));
        EXPECT_EQ(4u, ar.GetMapCount()) << "a new object of a known class";
    });
}

// While loading, the archive tells what each object record created: the object, its class
// and the count at the end of its record, which spans what its data created.
TEST(CArchive, LoadedObjects)
{
    CArcNode node(6, new CArcPoint(8));
    CArcNode bad(0xBAD, new CArcPoint(9));
    CArcPoint mapped;
    std::string strBytes = Store([&](CArchive& ar) { ar << &node << &bad; });
    Load(strBytes, [&](CArchive& ar) {
        std::unique_ptr<CObject> pNode(ar.ReadObject(NULL));
        CObject* pOb;
        CRuntimeClass* pClass;
        DWORD nEnd;
        EXPECT_FALSE(ar.GetLoadedObject(1, pOb, pClass, nEnd)) << "a class record";
        ASSERT_TRUE(ar.GetLoadedObject(2, pOb, pClass, nEnd));
        EXPECT_TRUE(pOb == pNode.get() && pClass == RUNTIME_CLASS(CArcNode) && nEnd == 5);
        ASSERT_TRUE(ar.GetLoadedObject(4, pOb, pClass, nEnd));
        EXPECT_TRUE(pOb == static_cast<CArcNode*>(pNode.get())->m_pChild && pClass == RUNTIME_CLASS(CArcPoint));
        EXPECT_EQ(5u, nEnd);

        EXPECT_EQ(CArchiveException::generic, CauseOf<CArchiveException>([&] { ar.ReadObject(NULL); }));
        ASSERT_TRUE(ar.GetLoadedObject(5, pOb, pClass, nEnd));
        EXPECT_TRUE(pOb == NULL && pClass == RUNTIME_CLASS(CArcNode) && nEnd == 7) << "freed when it failed";
        ar.MapObject(&mapped);
        EXPECT_FALSE(ar.GetLoadedObject(7, pOb, pClass, nEnd)) << "numbered, not created";
        EXPECT_FALSE(ar.GetLoadedObject(8, pOb, pClass, nEnd));
    });
}

// A damaged string length fails at the end of the data, without a huge allocation.
TEST(CArchive, HugeStringLength)
{
    for (const std::string& strPrefix : { "\xFF\xFF\xFF\xF0\xFF\xFF\x7F"s, "\xFF\xFD\xFF"s, "\xFE"s })
    {
        CProbeFile file;
        size_t nBefore = HeapInUse();
        Load(strPrefix + "abc", [](CArchive& ar) {
            CString str;
            EXPECT_EQ(CArchiveException::endOfFile, CauseOf<CArchiveException>([&] { ar >> str; }));
        }, std::move(file));
        EXPECT_GT(nBefore + 0x100000, file.m_nPeakHeap);
    }
}

// Flush on a loading archive gives the unread bytes back to the file.
TEST(CArchive, FlushWhileLoading)
{
    CScratchFolder folder;
    CFile diskFile(folder.Path("flush.bin"), CFile::modeCreate | CFile::modeReadWrite);
    CMemFile memFile;
    std::string strData = Pattern(1000);
    for (CFile* pFile : { (CFile*)&diskFile, (CFile*)&memFile })
    {
        SCOPED_TRACE(pFile == &memFile ? "CMemFile" : "CFile");
        pFile->Write(strData.data(), 1000);
        pFile->SeekToBegin();
        CArchive ar(pFile, CArchive::load, 128);
        BYTE by;
        WORD w;
        DWORD dw;
        char buf[1000];
        ar >> by >> w >> dw;
        EXPECT_EQ(300u, ar.Read(buf, 300));
        ar.Flush();
        EXPECT_EQ(307u, pFile->GetPosition());
        EXPECT_EQ(1u, pFile->Read(buf, 1));
        ar >> by;
        EXPECT_EQ(strData[308], (char)by) << "the archive reads on where the file stands";
        ar.Flush();
        EXPECT_EQ(309u, pFile->GetPosition());
        EXPECT_EQ(691u, ar.Read(buf, 1000));
        EXPECT_EQ(0, memcmp(buf, strData.data() + 309, 691));
        EXPECT_EQ(0u, ar.Read(buf, 10));
        ar.Close();
        EXPECT_EQ(1000u, pFile->GetPosition());
    }
}

// Requests larger than the buffer go straight to the file.
TEST(CArchive, LargeReadWrite)
{
    std::string strData = Pattern(1000);
    CProbeFile file;
    {
        CArchive ar(&file, CArchive::store, 128);
        ar << (BYTE)1;
        ar.Write(strData.data(), 1000);
        ar << (BYTE)2;
    }
    EXPECT_EQ("\x01" + strData + "\x02", Contents(file));
    EXPECT_LT(128u, file.m_nMaxRequest);

    file.m_nMaxRequest = 0;
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 128);
    char buf[1000];
    BYTE by1, by2;
    ar >> by1;
    EXPECT_EQ(1000u, ar.Read(buf, 1000));
    ar >> by2;
    EXPECT_TRUE(by1 == 1 && by2 == 2 && memcmp(buf, strData.data(), 1000) == 0);
    EXPECT_LT(128u, file.m_nMaxRequest);
}

// A caller's buffer too small for the archive is left alone.
TEST(CArchive, SmallCallerBuffer)
{
    std::string strBuffer(80, '#');
    std::string strExpected;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 16, strBuffer.data());
        for (DWORD i = 0; i < 100; ++i)
        {
            ar << i;
            strExpected.append((const char*)&i, 4);
        }
    }
    EXPECT_EQ(strExpected, Contents(file));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 16, strBuffer.data());
    DWORD dw;
    for (DWORD i = 0; i < 100; ++i)
        ar >> dw;
    EXPECT_EQ(99u, dw);
    EXPECT_EQ(std::string(80, '#'), strBuffer);
}
