// Shared by hoard's tests: a resource type of the tests' own, a receiver that records
// the resource messages, and scratch files.
#pragma once

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/resources/ResourcePtr.h"
#include "hoard/runtime/Message.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// A resource whose payload is one string; resources with equal text are identical.
class CTestResource : public CResource
{
    DECLARE_SERIAL(CTestResource)
public:
    CTestResource() = default;
    void Serialize(CArchive& ar) override;
    CResourceClass* GetResourceClass() override;
    BOOL IsSameAs(const CResource* pOther) const override;

    CString m_strText;
    // When set, storing throws a file exception after the name was written.
    static BOOL s_bFailStoring;

protected:
    CResource* UntypedDuplicate() override;
};

// A typed pointer to test resources.
class CTestResourcePtr : public CResourcePtrBase
{
public:
    explicit CTestResourcePtr(CResource* pRes = NULL, BOOL bCount = TRUE) : CResourcePtrBase(pRes, bCount) {}
    CTestResourcePtr& operator=(CResource* pRes)
    {
        CResourcePtrBase::operator=(pRes);
        return *this;
    }
    CResource* Get() const { return GetResourcePtr(); }
    using CResourcePtrBase::CopyBeforeWrite;
};

// Records every resource message as one line of text.
class CMessageLog : public CMessageReceiver
{
public:
    void OnMessage(Message* pMsg) override;
    std::vector<std::string> m_lines;
};

// A file name in the temporary folder; the file is deleted with the object.
class CScratchFile
{
public:
    explicit CScratchFile(const char* pszName);
    ~CScratchFile();
    CScratchFile(const CScratchFile&) = delete;
    CScratchFile& operator=(const CScratchFile&) = delete;
    const CString& Path() const { return m_strPath; }
    const CString& Folder() const { return m_strFolder; }
    operator const char*() const { return m_strPath; }

private:
    CString m_strFolder;
    CString m_strPath;
};

// Keeps the user's recording settings: the keys of section "Recording" of the settings
// file that a test changes are put back as they were, or removed if they were missing,
// when the object goes.
class CSavedRecordingSettings
{
public:
    CSavedRecordingSettings(std::initializer_list<const char*> keys);
    ~CSavedRecordingSettings();
    CSavedRecordingSettings(const CSavedRecordingSettings&) = delete;
    CSavedRecordingSettings& operator=(const CSavedRecordingSettings&) = delete;

    // Sets a key for the test; it must be one of the saved keys.
    void Set(const char* pszKey, const char* pszValue);
    // The key's text, or "<missing>".
    static std::string Get(const char* pszKey);

private:
    std::vector<std::pair<std::string, std::string>> m_saved;
};

// The bytes of a file, or of a memory file's contents.
std::vector<BYTE> ReadAllBytes(const char* pszPath);
void WriteAllBytes(const char* pszPath, const std::vector<BYTE>& bytes);
