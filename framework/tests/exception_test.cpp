#include <afx.h>
#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"

TEST(CException, ThrownByPointer)
{
    const struct
    {
        const char* context;
        std::function<void()> f;
        CRuntimeClass* pClass;
    } cases[] = {
        { "memory", [] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException) },
        { "not supported", [] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException) },
        { "resource", [] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException) },
        { "file", [] { AfxThrowFileException(CFileException::diskFull, 112, "a.dat"); },
          RUNTIME_CLASS(CFileException) },
        { "file from an OS error", [] { CFileException::ThrowOsError(ERROR_PATH_NOT_FOUND, "b.dat"); },
          RUNTIME_CLASS(CFileException) },
        { "archive", [] { AfxThrowArchiveException(CArchiveException::badClass, "c.dat"); },
          RUNTIME_CLASS(CArchiveException) },
    };
    for (const auto& c : cases)
    {
        CException* e = Thrown<CException>(c.f);
        ASSERT_TRUE(e != NULL) << c.context;
        EXPECT_EQ(c.pClass, e->GetRuntimeClass()) << c.context;
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException))) << c.context;
        e->Delete();
    }
}

// Delete frees a thrown exception but leaves the one static memory exception.
TEST(CException, Delete)
{
    Thrown<CException>([] { AfxThrowFileException(CFileException::generic); })->Delete();
    size_t nBefore = HeapInUse();
    CString strName('n', 100000);
    CException* e = Thrown<CException>([&] { AfxThrowFileException(CFileException::generic, -1, strName); });
    strName.Empty();
    EXPECT_LT(nBefore + 100000, HeapInUse());
    e->Delete();
    EXPECT_EQ(nBefore, HeapInUse());

    CException* eMemory = Thrown<CException>([] { AfxThrowMemoryException(); });
    eMemory->Delete();
    CException* eAgain = Thrown<CException>([] { AfxThrowMemoryException(); });
    EXPECT_EQ(eMemory, eAgain);
    char sz[64];
    EXPECT_TRUE(eAgain->GetErrorMessage(sz, sizeof sz));
    EXPECT_STREQ("Out of memory.", sz);
    eAgain->Delete();
}

TEST(CException, ErrorMessages)
{
    CFileException eFile(CFileException::fileNotFound);
    eFile.m_strFileName = "C:\\data\\x.dat";
    CArchiveException eArchive(CArchiveException::badSchema, "doc.res");
    CException eBase;
    const struct { CException* e; BOOL bResult; const char* expected; } cases[] = {
        { &eFile, TRUE, "C:\\data\\x.dat was not found." },
        { &eArchive, TRUE, "doc.res contains an incorrect schema." },
        { &eBase, FALSE, "" },
    };
    for (const auto& c : cases)
    {
        char sz[128] = "junk";
        UINT nHelp = 99;
        EXPECT_EQ(c.bResult, c.e->GetErrorMessage(sz, sizeof sz, &nHelp)) << c.expected;
        EXPECT_STREQ(c.expected, sz);
    }

    // Every cause names the file; a short buffer gets the start, terminated.
    for (int nCause = CFileException::generic; nCause <= CFileException::endOfFile; ++nCause)
    {
        char sz[128];
        eFile.m_cause = nCause;
        EXPECT_TRUE(eFile.GetErrorMessage(sz, sizeof sz)) << nCause;
        EXPECT_TRUE(strstr(sz, "C:\\data\\x.dat") != NULL) << sz;
    }
    for (int nCause = CArchiveException::generic; nCause <= CArchiveException::badSchema; ++nCause)
    {
        char sz[128];
        eArchive.m_cause = nCause;
        EXPECT_TRUE(eArchive.GetErrorMessage(sz, sizeof sz)) << nCause;
        EXPECT_TRUE(strstr(sz, "doc.res") != NULL) << sz;
    }
    char szShort[8];
    eFile.m_cause = CFileException::fileNotFound;
    EXPECT_TRUE(eFile.GetErrorMessage(szShort, sizeof szShort));
    EXPECT_STREQ("C:\\data", szShort);
}
