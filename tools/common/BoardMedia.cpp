// Images and sounds of imported boards, from their sources into a hoard.
#include "BoardMedia.h"
#include "BoardFiles.h"
#include "Mp3Decode.h"

#include "Base64.h"
#include "ImageSource.h"
#include "ObfError.h"

#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"

#include <algorithm>
#include <optional>
#include <string.h>

namespace {

// Bytes that a source gave, with the content type they are said to have.
struct SourceBytes
{
    std::vector<uint8_t> bytes;
    std::string content_type;
};

// The bytes of a data: URI, or nothing with strWhy.
std::optional<SourceBytes> FromData(const std::string& uri, const std::string& strDeclared, CString& strWhy)
{
    try
    {
        obf::DataUri data = obf::ParseDataUri(uri);
        return SourceBytes{ std::move(data.bytes), data.content_type.empty() ? strDeclared : data.content_type };
    }
    catch (const obf::Error&)
    {
        strWhy = "bad data URI";
        return std::nullopt;
    }
}

// The bytes of a file of the package, or nothing with strWhy when it has none there.
std::optional<SourceBytes> FromPath(const CBoardFiles& files, const std::string& path, const std::string& strDeclared,
                                    CString& strWhy)
{
    if (!files.Has(path))
    {
        strWhy = "file missing";
        return std::nullopt;
    }
    return SourceBytes{ files.Read(path), strDeclared };
}

bool StartsWith(const std::vector<uint8_t>& bytes, const char* pszHead)
{
    const size_t nHead = strlen(pszHead);
    return bytes.size() >= nHead && memcmp(bytes.data(), pszHead, nHead) == 0;
}

// SVG: text that starts as XML or an <svg> element does. It is never handed to the
// picture import, whose last resort, the Macintosh picture reader, takes any bytes.
bool IsSvgText(const SourceBytes& source)
{
    size_t i = StartsWith(source.bytes, "\xEF\xBB\xBF") ? 3 : 0;
    while (i < source.bytes.size() && isspace(source.bytes[i]))
        ++i;
    const std::vector<uint8_t> rest(source.bytes.begin() + i, source.bytes.begin() + std::min(i + 9, source.bytes.size()));
    for (const char* pszStart : { "<?xml", "<svg", "<!--", "<!DOCTYPE" })
    {
        if (StartsWith(rest, pszStart))
            return true;
    }
    return false;
}

// Gives the resource the name, numbered when another of its type has it.
void NameAfter(CHoard& hoard, CResource* pResource, const CString& strName)
{
    const char* pszType = pResource->GetRuntimeClass()->m_lpszClassName;
    CString strUnique = strName;
    CResource* pSameName = hoard.GetResource(pszType, strUnique);
    if (pSameName != NULL && pSameName != pResource)
        hoard.MakeUniqueName(pszType, strUnique);
    pResource->SetName(strUnique);
}

CResource* ImportPictureBytes(CHoard& hoard, const std::vector<uint8_t>& bytes, const CString& strName)
{
    CPicture* pPicture = CPicture::New(hoard, NULL);
    if (pPicture == NULL)
        AfxThrowNotSupportedException();
    CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
    if (!pPicture->ImportFromFile(file, "picture"))
    {
        hoard.DeleteResource(pPicture);
        return NULL;
    }
    NameAfter(hoard, pPicture, strName);
    return pPicture;
}

CResource* ImportWaveBytes(CHoard& hoard, const std::vector<uint8_t>& wave, const CString& strName)
{
    CWav* pWav = CWav::New(hoard, NULL);
    if (pWav == NULL)
        AfxThrowNotSupportedException();
    if (!pWav->ImportFromMemory(wave.data(), (DWORD)wave.size(), "sound"))
    {
        hoard.DeleteResource(pWav);
        return NULL;
    }
    NameAfter(hoard, pWav, strName);
    return pWav;
}

bool IsWave(const std::vector<uint8_t>& bytes)
{
    return bytes.size() >= 12 && memcmp(bytes.data(), "RIFF", 4) == 0 && memcmp(bytes.data() + 8, "WAVE", 4) == 0;
}

} // namespace

CResource* ImportBoardImage(CHoard& hoard, const CBoardFiles& files, const obf::Image& image, const CString& strName,
                            CString& strWhy)
{
    strWhy = "no source";
    BOOL bFirst = TRUE;
    for (obf::ImageSource kind : obf::PreferredImageSources(image))
    {
        CString strSourceWhy;
        std::optional<SourceBytes> source;
        switch (kind)
        {
        case obf::ImageSource::Data:
            source = FromData(image.data, image.content_type, strSourceWhy);
            break;
        case obf::ImageSource::Path:
            source = FromPath(files, image.path, image.content_type, strSourceWhy);
            break;
        case obf::ImageSource::Url:
            strSourceWhy = "url not fetched";
            break;
        case obf::ImageSource::Symbol:
            strSourceWhy = "symbol not available";
            break;
        }
        if (source && IsSvgText(*source))
        {
            strSourceWhy = "SVG";
        }
        else if (source)
        {
            // The bytes say what they are; their content type only names what failed.
            if (CResource* pPicture = ImportPictureBytes(hoard, source->bytes, strName))
                return pPicture;
            strSourceWhy = source->content_type.find("svg") != std::string::npos ? "SVG" : "not a picture that can be read";
        }
        if (bFirst)
            strWhy = strSourceWhy;
        bFirst = FALSE;
    }
    return NULL;
}

CResource* ImportBoardSound(CHoard& hoard, const CBoardFiles& files, const obf::Sound& sound, const CString& strName,
                            CString& strWhy)
{
    std::optional<SourceBytes> source;
    if (!sound.data.empty())
        source = FromData(sound.data, sound.content_type, strWhy);
    if (!source && !sound.path.empty())
    {
        // The reason given is the data's when both fail.
        CString strPathWhy;
        source = FromPath(files, sound.path, sound.content_type, strPathWhy);
        if (!source && sound.data.empty())
            strWhy = strPathWhy;
    }
    if (!source)
    {
        if (sound.data.empty() && sound.path.empty())
            strWhy = sound.url.empty() ? "no source" : "url not fetched";
        return NULL;
    }
    if (IsWave(source->bytes))
    {
        if (CResource* pWav = ImportWaveBytes(hoard, source->bytes, strName))
            return pWav;
        strWhy = "WAVE that cannot be read";
        return NULL;
    }
    if (IsMpegAudio(source->bytes))
    {
        std::vector<uint8_t> wave = DecodeMp3ToWave(source->bytes, strWhy);
        if (wave.empty())
            return NULL;
        if (CResource* pWav = ImportWaveBytes(hoard, wave, strName))
            return pWav;
        strWhy = "MP3 whose samples cannot be read";
        return NULL;
    }
    // Bytes of neither kind: said to be one of them, they are damaged; else their kind
    // is one that is not taken.
    const std::string& type = source->content_type;
    if (type.find("wav") != std::string::npos)
        strWhy = "WAVE that cannot be read";
    else if (type.find("mpeg") != std::string::npos || type.find("mp3") != std::string::npos)
        strWhy = "no MPEG audio frames";
    else
        strWhy = type.empty() ? CString("unknown kind") : CString(type.c_str());
    return NULL;
}
