// The tests' own resource type, registered before the registry is initialised.
#include "test_support.h"

#include "hoard/resources/ResourceMessages.h"
#include "hoard/runtime/MappedString.h"
#include "hoard/sound/RecordingSettings.h"

#include <gtest/gtest.h>

// CTestResource

class CTestResourceClass : public CResourceClass
{
public:
    explicit CTestResourceClass(CRuntimeClass* pClass) : CResourceClass(pClass) {}
};

namespace {
CTestResourceClass g_testResourceClass(RUNTIME_CLASS(CTestResource));
} // namespace

IMPLEMENT_SERIAL(CTestResource, CResource, 3)

BOOL CTestResource::s_bFailStoring = FALSE;

void CTestResource::Serialize(CArchive& ar)
{
    CResource::Serialize(ar);
    if (ar.IsStoring())
    {
        if (s_bFailStoring)
            AfxThrowFileException(CFileException::diskFull);
        ar << m_strText;
    }
    else
    {
        ar >> m_strText;
    }
}

CResourceClass* CTestResource::GetResourceClass() { return &g_testResourceClass; }

BOOL CTestResource::IsSameAs(const CResource* pOther) const
{
    auto* pTest = dynamic_cast<const CTestResource*>(pOther);
    return pTest != NULL && pTest->m_strText == m_strText;
}

CResource* CTestResource::UntypedDuplicate()
{
    auto* pCopy = new CTestResource;
    pCopy->m_strText = m_strText;
    return pCopy;
}

// The registry is initialised once, before any test runs, after the command labels
// that the tests expect have been mapped.
namespace {

class CRegistryEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        EXPECT_EQ(nullptr, CResourceClass::GetResourceClass("CTestResource"))
            << "the name map is empty before the registry is initialised";
        BOOL bListed = FALSE;
        for (CResourceClass* p = CResourceClass::GetHead(); p != NULL; p = p->GetNext())
            bListed |= p == &g_testResourceClass;
        EXPECT_TRUE(bListed) << "classes are listed from static initialisation on";

        static const char szLabels[] = "ID_RECORD=Record\r\nID_PLAY=Play|Sound\r\n";
        CMemFile file((BYTE*)szLabels, sizeof szLabels - 1);
        CMappedString::Load(file);
        CResourceClass::InitResourceClasses();
    }
};

const auto* g_pRegistryEnvironment =
    ::testing::AddGlobalTestEnvironment(new CRegistryEnvironment);

} // namespace

// CMessageLog

void CMessageLog::OnMessage(Message* pMsg)
{
    char sz[512];
    if (auto* p = dynamic_cast<MsgAddedResource*>(pMsg))
        snprintf(sz, sizeof sz, "added %s", (LPCSTR)p->m_pResource->GetName());
    else if (auto* p = dynamic_cast<MsgRenamedResource*>(pMsg))
        snprintf(sz, sizeof sz, "renamed '%s' to '%s'", p->m_pszOldName, p->m_pszNewName);
    else if (auto* p = dynamic_cast<MsgDeletingResource*>(pMsg))
        snprintf(sz, sizeof sz, "deleting %s", (LPCSTR)p->m_pResource->GetName());
    else if (auto* p = dynamic_cast<MsgDeletedResource*>(pMsg))
        snprintf(sz, sizeof sz, "deleted %s %s", (LPCSTR)p->m_strType, (LPCSTR)p->m_strName);
    else if (auto* p = dynamic_cast<MsgSavedResource*>(pMsg))
        snprintf(sz, sizeof sz, "saved %s", (LPCSTR)p->m_pResource->GetName());
    else if (auto* p = dynamic_cast<MsgEditedResource*>(pMsg))
        snprintf(sz, sizeof sz, "edited %s", (LPCSTR)p->m_pResource->GetName());
    else
        snprintf(sz, sizeof sz, "other");
    m_lines.push_back(sz);
}

// Files

// Scratch files live in a folder of this process, under their own names.
CScratchFile::CScratchFile(const char* pszName)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    m_strFolder.Format("%shoard-tests-%lu", szTemp, GetCurrentProcessId());
    CreateDirectoryA(m_strFolder, NULL);
    m_strPath = m_strFolder + "\\" + pszName;
    DeleteFileA(m_strPath);
}

CScratchFile::~CScratchFile()
{
    DeleteFileA(m_strPath);
    RemoveDirectoryA(m_strFolder);      // fails while other scratch files remain
}

std::vector<BYTE> ReadAllBytes(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyNone);
    std::vector<BYTE> bytes(file.GetLength());
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void WriteAllBytes(const char* pszPath, const std::vector<BYTE>& bytes)
{
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite);
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
}

// Settings

namespace {
const char szMissing[] = "<missing>";
} // namespace

CSavedRecordingSettings::CSavedRecordingSettings(std::initializer_list<const char*> keys)
{
    for (const char* pszKey : keys)
        m_saved.emplace_back(pszKey, Get(pszKey));
}

CSavedRecordingSettings::~CSavedRecordingSettings()
{
    for (const auto& saved : m_saved)
        WriteRecordingSettingText(saved.first.c_str(), saved.second == szMissing ? NULL : saved.second.c_str());
}

void CSavedRecordingSettings::Set(const char* pszKey, const char* pszValue)
{
    bool bSaved = false;
    for (const auto& saved : m_saved)
        bSaved |= saved.first == pszKey;
    ASSERT_TRUE(bSaved) << pszKey << " is not among the keys saved";
    WriteRecordingSettingText(pszKey, pszValue);
}

std::string CSavedRecordingSettings::Get(const char* pszKey)
{
    CString strValue;
    return GetRecordingSettingText(pszKey, strValue) ? (LPCSTR)strValue : szMissing;
}
