#include <afx.h>
#include <gtest/gtest.h>

// Test classes at namespace scope, as the serialization macros expect.
class CRtBase : public CObject
{
    DECLARE_DYNAMIC(CRtBase)
};

class CRtMid : public CRtBase
{
    DECLARE_DYNCREATE(CRtMid)
};

class CRtLeaf : public CRtMid
{
    DECLARE_SERIAL(CRtLeaf)
public:
    int m_n = 42;
};

class CRtOther : public CObject
{
    DECLARE_SERIAL(CRtOther)
};

IMPLEMENT_DYNAMIC(CRtBase, CObject)
IMPLEMENT_DYNCREATE(CRtMid, CRtBase)
IMPLEMENT_SERIAL(CRtLeaf, CRtMid, 4)
IMPLEMENT_SERIAL(CRtOther, CObject, 1)

TEST(CRuntimeClass, IsKindOf)
{
    CRtBase base;
    CRtMid mid;
    CRtLeaf leaf;
    CRtOther other;
    CRuntimeClass* classes[] = { RUNTIME_CLASS(CObject), RUNTIME_CLASS(CRtBase), RUNTIME_CLASS(CRtMid),
                                 RUNTIME_CLASS(CRtLeaf), RUNTIME_CLASS(CRtOther) };
    const struct { CObject* pOb; BOOL bKind[5]; BOOL bSerializable; } cases[] = {
        { &base, { TRUE, TRUE, FALSE, FALSE, FALSE }, FALSE },
        { &mid, { TRUE, TRUE, TRUE, FALSE, FALSE }, FALSE },
        { &leaf, { TRUE, TRUE, TRUE, TRUE, FALSE }, TRUE },
        { &other, { TRUE, FALSE, FALSE, FALSE, TRUE }, TRUE },
    };
    for (const auto& c : cases)
    {
        LPCSTR lpszName = c.pOb->GetRuntimeClass()->m_lpszClassName;
        for (int i = 0; i < 5; ++i)
        {
            EXPECT_EQ(c.bKind[i], c.pOb->IsKindOf(classes[i])) << lpszName << " of " << classes[i]->m_lpszClassName;
            EXPECT_EQ(c.bKind[i] ? c.pOb : NULL, AfxDynamicDownCast(classes[i], c.pOb)) << lpszName;
        }
        EXPECT_EQ(c.bSerializable, c.pOb->IsSerializable()) << lpszName;
    }
    EXPECT_EQ(&leaf, DYNAMIC_DOWNCAST(CRtMid, &leaf));
    EXPECT_EQ(NULL, DYNAMIC_DOWNCAST(CRtLeaf, &mid));
    EXPECT_EQ(NULL, DYNAMIC_DOWNCAST(CRtBase, (CObject*)NULL));

    CRuntimeClass* pLeaf = RUNTIME_CLASS(CRtLeaf);
    EXPECT_STREQ("CRtLeaf", pLeaf->m_lpszClassName);
    EXPECT_EQ((int)sizeof(CRtLeaf), pLeaf->m_nObjectSize);
    EXPECT_EQ(4u, pLeaf->m_wSchema);
    EXPECT_EQ(RUNTIME_CLASS(CRtMid), pLeaf->GetBaseClass());
    EXPECT_EQ(NULL, RUNTIME_CLASS(CObject)->GetBaseClass());
}

TEST(CRuntimeClass, ByName)
{
    const struct { const char* lpszName; CRuntimeClass* pExpected; } cases[] = {
        { "CRtLeaf", RUNTIME_CLASS(CRtLeaf) },
        { "CRtMid", RUNTIME_CLASS(CRtMid) },
        { "CRtOther", RUNTIME_CLASS(CRtOther) },
        { "CRtBase", NULL },        // cannot be created
        { "crtleaf", NULL },
        { "CRtLea", NULL },
        { "", NULL },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.pExpected, CRuntimeClass::FromName(c.lpszName)) << c.lpszName;
        CObject* pOb = CRuntimeClass::CreateObject(c.lpszName);
        EXPECT_EQ(c.pExpected, pOb ? pOb->GetRuntimeClass() : NULL) << c.lpszName;
        delete pOb;
    }
    CObject* pOb = RUNTIME_CLASS(CRtLeaf)->CreateObject();
    ASSERT_TRUE(pOb != NULL);
    EXPECT_EQ(42, static_cast<CRtLeaf*>(pOb)->m_n);
    delete pOb;
    EXPECT_EQ(NULL, RUNTIME_CLASS(CRtBase)->CreateObject());
}
