// The files of a board package or of a loose board's folder.
#include "BoardFiles.h"
#include "ObfError.h"
#include "PackagePath.h"

namespace {

bool IsPackage(const std::vector<uint8_t>& bytes)
{
    return bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] == 'K';
}

std::string_view AsText(const std::vector<uint8_t>& bytes)
{
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace

std::vector<uint8_t> ReadWholeFile(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    const ULONGLONG nLength = file.GetLength();
    if (nLength > obf::ZipLimits().max_total_size)
        throw obf::Error(std::string(pszPath) + ": larger than the " +
                         std::to_string(obf::ZipLimits().max_total_size >> 20) + " MB that a board package may hold");
    std::vector<uint8_t> bytes((size_t)nLength);
    if (!bytes.empty() && file.Read(bytes.data(), (UINT)bytes.size()) != bytes.size())
        throw obf::Error(std::string(pszPath) + ": cut short while it was read");
    return bytes;
}

CBoardFiles::CBoardFiles(const char* pszPath)
{
    std::vector<uint8_t> bytes = ReadWholeFile(pszPath);
    if (IsPackage(bytes))
    {
        m_pPackage = std::make_unique<obf::PackageReader>(std::move(bytes));
        m_strRoot = m_pPackage->GetManifest().root;
        return;
    }
    CString strPath = pszPath;
    const int nSlash = strPath.ReverseFind('\\');
    m_strFolder = strPath.Left(nSlash + 1);
    m_strRoot = obf::CheckPackagePath((LPCSTR)strPath.Mid(nSlash + 1));
}

std::string CBoardFiles::PathOfBoard(const std::string& id) const
{
    return PathInManifest(&obf::Manifest::boards, id);
}

std::string CBoardFiles::PathOfImage(const std::string& id) const
{
    return PathInManifest(&obf::Manifest::images, id);
}

std::string CBoardFiles::PathOfSound(const std::string& id) const
{
    return PathInManifest(&obf::Manifest::sounds, id);
}

std::string CBoardFiles::PathInManifest(std::map<std::string, std::string> obf::Manifest::*list,
                                        const std::string& id) const
{
    if (m_pPackage == nullptr)
        return {};
    const auto& paths = m_pPackage->GetManifest().*list;
    auto it = paths.find(id);
    return it != paths.end() ? it->second : std::string();
}

bool CBoardFiles::Has(std::string_view path) const
{
    try
    {
        if (m_pPackage != nullptr)
            return m_pPackage->HasFile(path);
        const DWORD dwAttributes = GetFileAttributesA(FolderPath(path));
        return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    catch (const obf::Error&)
    {
        return false;
    }
}

obf::Board CBoardFiles::ReadBoard(std::string_view path) const
{
    if (m_pPackage != nullptr)
        return m_pPackage->ReadBoard(path);
    const std::vector<uint8_t> text = Read(path);
    try
    {
        return obf::ParseBoard(AsText(text));
    }
    catch (const obf::Error& e)
    {
        // The loose board itself is named by whoever opened it.
        if (path == m_strRoot)
            throw;
        throw obf::Error(std::string(path) + ": " + e.what());
    }
}

std::vector<uint8_t> CBoardFiles::Read(std::string_view path) const
{
    if (m_pPackage != nullptr)
        return m_pPackage->ReadFile(path);
    return ReadWholeFile(FolderPath(path));
}

CString CBoardFiles::FolderPath(std::string_view path) const
{
    CString strPath = obf::CheckPackagePath(path).c_str();
    strPath.Replace('/', '\\');
    return m_strFolder + strPath;
}
