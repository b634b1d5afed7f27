// Sounds: payload bytes, comparison, commands and import from WAVE files.
#include "test_support.h"

#include "hoard/resources/EditProxy.h"
#include "hoard/sound/Wav.h"

#include <gtest/gtest.h>

namespace {

// A sound whose protected fields the tests can set.
class CWavProbe : public CWav
{
public:
    void Set(DWORD nRate, WORD nBits, DWORD dwMaxTime, const char* pszSamples)
    {
        m_format.wf = { WAVE_FORMAT_PCM, 1, nRate, nRate, 1 };
        m_format.wBitsPerSample = nBits;
        m_dwMaxTime = dwMaxTime;
        m_data.SetData((DWORD)strlen(pszSamples), (void*)pszSamples);
    }
};

// The samples as text, or "<unreadable>".
std::string SamplesOf(const CWav& wav)
{
    const BYTE* p = wav.GetData();
    if (p == NULL)
        return "<unreadable>";
    std::string s((const char*)p, wav.GetDataSize());
    wav.ReleaseData();
    return s;
}

std::vector<BYTE> StoredPayload(CWav& wav)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        wav.Serialize(ar);
    }
    std::vector<BYTE> bytes(file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

TEST(Wav, PayloadFollowsTheBlockRecord)
{
    CWavProbe wav;
    wav.SetName("Rec");
    wav.Set(22050, 8, 30000, "abc");
    const std::vector<BYTE> expected = {
        3, 'R', 'e', 'c',                                   // name
        3, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c',              // block: N, S = N (raw), bytes
        0x30, 0x75, 0, 0,                                   // m_dwMaxTime 30000
        1, 0, 1, 0,                                         // PCM, mono
        0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0,                 // 22050 samples, 22050 bytes a second
        1, 0, 8, 0 };                                       // block align 1, 8 bits
    EXPECT_EQ(expected, StoredPayload(wav));

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        wav.Serialize(ar);
    }
    file.SeekToBegin();
    CWav copy;
    CArchive ar(&file, CArchive::load);
    copy.Serialize(ar);
    EXPECT_TRUE(copy == wav);
    EXPECT_STREQ("Rec", copy.GetName());
    EXPECT_EQ(3u, copy.GetDataSize());
}

TEST(Wav, ComparisonIgnoresBitDepthAndMaxTime)
{
    CWavProbe a, b, c, empty1, empty2;
    a.Set(11025, 8, 1000, "samples");
    b.Set(11025, 16, 2000, "samples");
    c.Set(22050, 8, 1000, "samples");
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a.IsSameAs(&b));
    EXPECT_FALSE(a == c);
    CTestResource notASound;
    EXPECT_FALSE(a.IsSameAs(&notASound));
    EXPECT_FALSE(empty1 == empty2);     // blocks without bytes never compare equal
}

TEST(Wav, PlaybackTime)
{
    CWavProbe wav;
    EXPECT_EQ(0u, wav.GetPlaybackTime());
    EXPECT_FALSE(wav.CanPlay());
    wav.Set(11025, 8, 0, std::string(22050, 'x').c_str());
    EXPECT_EQ(2000u, wav.GetPlaybackTime());
    EXPECT_TRUE(wav.CanPlay());
}

// Records what a command asked of the editor.
class CProxyLog : public CEditProxy
{
public:
    CResource* New(const char* pszName) override
    {
        m_calls.push_back(pszName == NULL ? "New(null)" : "New");
        return NULL;
    }
    void UpdatePreview() override { m_calls.push_back("UpdatePreview"); }
    void UpdateList() override { m_calls.push_back("UpdateList"); }
    std::vector<std::string> m_calls;
};

TEST(Wav, CommandsAndTheirAvailability)
{
    CResourceClass* pClass = CResourceClass::GetResourceClass("CWav");
    ASSERT_EQ(&CWav::m_resInfo, pClass);
    const CStringArray& commands = pClass->GetCommandArray();
    ASSERT_EQ(2, commands.GetSize());
    EXPECT_STREQ("Record", commands[0]);
    EXPECT_STREQ("Play\nSound", commands[1]);       // labels come through the mapped strings

    CHoard hoard;
    CWav* pWav = CWav::New(hoard, "Bell");
    EXPECT_TRUE(pClass->CanDoCommand(0, hoard, NULL));
    EXPECT_FALSE(pClass->CanDoCommand(1, hoard, NULL));
    EXPECT_TRUE(pClass->CanDoCommand(1, hoard, pWav));

    CProxyLog proxy;
    pClass->OnCommand(0, hoard, NULL, proxy);
    EXPECT_EQ((std::vector<std::string>{ "New(null)" }), proxy.m_calls);
    EXPECT_EQ(clipNone, pClass->CanConvertClipboard());
}

// WAVE files for the import tests.

void PutDWord(std::vector<BYTE>& bytes, DWORD dw)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back((BYTE)(dw >> (8 * i)));
}

void PutChunk(std::vector<BYTE>& bytes, const char* pszId, const std::vector<BYTE>& body,
              DWORD dwClaimed = 0xFFFFFFFF)
{
    bytes.insert(bytes.end(), pszId, pszId + 4);
    PutDWord(bytes, dwClaimed != 0xFFFFFFFF ? dwClaimed : (DWORD)body.size());
    bytes.insert(bytes.end(), body.begin(), body.end());
    if (body.size() % 2)
        bytes.push_back(0);
}

std::vector<BYTE> FormatBody(WORD nChannels, DWORD nRate, WORD nBits, size_t nExtra = 0)
{
    std::vector<BYTE> body;
    WORD nAlign = (WORD)(nChannels * nBits / 8);
    WORD words[] = { WAVE_FORMAT_PCM, nChannels };
    body.insert(body.end(), (BYTE*)words, (BYTE*)words + 4);
    PutDWord(body, nRate);
    PutDWord(body, nRate * nAlign);
    WORD words2[] = { nAlign, nBits };
    body.insert(body.end(), (BYTE*)words2, (BYTE*)words2 + 4);
    body.resize(body.size() + nExtra, 0);
    return body;
}

std::vector<BYTE> RiffWave(const std::vector<BYTE>& chunks)
{
    std::vector<BYTE> bytes = { 'R', 'I', 'F', 'F' };
    PutDWord(bytes, (DWORD)(4 + chunks.size()));
    bytes.insert(bytes.end(), { 'W', 'A', 'V', 'E' });
    bytes.insert(bytes.end(), chunks.begin(), chunks.end());
    return bytes;
}

TEST(Wav, ImportNamesTheSoundAfterTheFile)
{
    std::vector<BYTE> chunks;
    PutChunk(chunks, "fmt ", FormatBody(1, 11025, 8));
    PutChunk(chunks, "LIST", { 1, 2, 3, 4 });               // other chunks are passed over
    PutChunk(chunks, "data", { 1, 2, 3, 4, 5 });
    CScratchFile file("door.bell.wav");
    WriteAllBytes(file, RiffWave(chunks));

    CHoard hoard;
    CWav* pWav = CWav::New(hoard, NULL);
    ASSERT_TRUE(pWav->ImportFromFile(file));
    EXPECT_STREQ("door", pWav->GetName());
    EXPECT_EQ(5u, pWav->GetDataSize());
    EXPECT_EQ(11025u, pWav->GetFormat().wf.nSamplesPerSec);

    // A second import of the same file gets a numbered name.
    CWav* pSecond = CWav::New(hoard, NULL);
    ASSERT_TRUE(pSecond->ImportFromFile(file));
    EXPECT_STREQ("door2", pSecond->GetName());
}

TEST(Wav, ImportTakesTheFormatAsItIs)
{
    std::vector<BYTE> chunks;
    PutChunk(chunks, "fmt ", FormatBody(2, 44100, 16, 2));  // 18 bytes: WAVEFORMATEX
    std::vector<BYTE> samples(400);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = (BYTE)i;
    PutChunk(chunks, "data", samples);
    CScratchFile file("stereo.wav");
    WriteAllBytes(file, RiffWave(chunks));

    CWav wav;
    ASSERT_TRUE(wav.ImportFromFile(file));
    const PCMWAVEFORMAT& format = wav.GetFormat();
    EXPECT_EQ(2, format.wf.nChannels);
    EXPECT_EQ(44100u, format.wf.nSamplesPerSec);
    EXPECT_EQ(176400u, format.wf.nAvgBytesPerSec);
    EXPECT_EQ(4, format.wf.nBlockAlign);
    EXPECT_EQ(16, format.wBitsPerSample);
    const BYTE* p = wav.GetData();
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(0, memcmp(samples.data(), p, samples.size()));
    wav.ReleaseData();

    // The same bytes imported from memory give the same sound, named as a file would.
    const std::vector<BYTE> bytes = RiffWave(chunks);
    CHoard hoard;
    CWav* pFromMemory = CWav::New(hoard, NULL);
    ASSERT_TRUE(pFromMemory->ImportFromMemory(bytes.data(), (DWORD)bytes.size(), "stereo.wav"));
    EXPECT_TRUE(*pFromMemory == wav);
    EXPECT_EQ(0, memcmp(&format, &pFromMemory->GetFormat(), sizeof format));
    EXPECT_STREQ("stereo", pFromMemory->GetName());
}

TEST(Wav, ImportRefusesFilesThatAreNotSounds)
{
    struct
    {
        const char* pszWhat;
        std::vector<BYTE> bytes;
    } cases[] = {
        { "empty file", {} },
        { "text", { 'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!' } },
        { "no data chunk", [] {
              std::vector<BYTE> c;
              PutChunk(c, "fmt ", FormatBody(1, 8000, 8));
              return RiffWave(c);
          }() },
        { "no format chunk", [] {
              std::vector<BYTE> c;
              PutChunk(c, "data", { 1, 2, 3 });
              return RiffWave(c);
          }() },
        { "empty data chunk", [] {
              std::vector<BYTE> c;
              PutChunk(c, "fmt ", FormatBody(1, 8000, 8));
              PutChunk(c, "data", {});
              return RiffWave(c);
          }() },
        { "data chunk longer than the file", [] {
              std::vector<BYTE> c;
              PutChunk(c, "fmt ", FormatBody(1, 8000, 8));
              PutChunk(c, "data", { 1, 2, 3, 4 }, 0x7FFFFFF0);
              return RiffWave(c);
          }() },
    };
    // A sound that holds samples keeps them, its format and its name.
    CHoard hoard;
    auto* pWav = static_cast<CWavProbe*>(hoard.NewResource("CWav", "Keep"));
    pWav->Set(22050, 8, 0, "abcdef");
    auto expectUnchanged = [pWav](const char* pszWhat) {
        EXPECT_EQ(6u, pWav->GetDataSize()) << pszWhat;
        EXPECT_EQ("abcdef", SamplesOf(*pWav)) << pszWhat;
        EXPECT_EQ(22050u, pWav->GetFormat().wf.nSamplesPerSec) << pszWhat;
        EXPECT_STREQ("Keep", pWav->GetName()) << pszWhat;
    };
    for (const auto& c : cases)
    {
        CScratchFile file("bad.wav");
        WriteAllBytes(file, c.bytes);
        CWav wav;
        EXPECT_FALSE(wav.ImportFromFile(file)) << c.pszWhat;
        EXPECT_EQ(0u, wav.GetDataSize()) << c.pszWhat;
        EXPECT_FALSE(pWav->ImportFromFile(file)) << c.pszWhat;
        expectUnchanged(c.pszWhat);
        // The same bytes in memory.
        EXPECT_FALSE(pWav->ImportFromMemory(c.bytes.data(), (DWORD)c.bytes.size(), "bad.wav")) << c.pszWhat;
        expectUnchanged(c.pszWhat);
    }
    CWav wav;
    EXPECT_FALSE(wav.ImportFromFile("Z:\\no\\such\\sound.wav"));
    EXPECT_FALSE(pWav->ImportFromFile("Z:\\no\\such\\sound.wav"));
    expectUnchanged("missing file");
}

TEST(Wav, ImportReplacesSamplesWhateverTheirState)
{
    std::vector<BYTE> shortSamples = { 1, 2, 3 };
    std::vector<BYTE> longSamples(500, 7);
    auto waveOf = [](const std::vector<BYTE>& samples) {
        std::vector<BYTE> chunks;
        PutChunk(chunks, "fmt ", FormatBody(1, 8000, 8));
        PutChunk(chunks, "data", samples);
        return RiffWave(chunks);
    };
    CScratchFile shortWave("short.wav"), longWave("long.wav"), hoardFile("import-into.hrd");
    WriteAllBytes(shortWave, waveOf(shortSamples));
    WriteAllBytes(longWave, waveOf(longSamples));

    // The old samples: in memory, or left in a hoard file that is still there, has
    // gone, or has been cut short.
    enum { inMemory, inFile, fileGone, fileShort };
    for (int nState : { inMemory, inFile, fileGone, fileShort })
    {
        for (const auto* pSamples : { &shortSamples, &longSamples })
        {
            CHoard hoard;
            {
                CHoard saved;
                static_cast<CWavProbe*>(saved.NewResource("CWav", "Old"))->Set(11025, 8, 0,
                    std::string(100, 'o').c_str());
                saved.SaveToFile(hoardFile);
            }
            hoard.LoadFromFile(hoardFile);
            CWav* pWav = static_cast<CWav*>(hoard.GetResource("CWav", "Old"));
            ASSERT_NE(nullptr, pWav);
            if (nState == inMemory)
                ASSERT_EQ(std::string(100, 'o'), SamplesOf(*pWav));
            else if (nState == fileGone)
                DeleteFileA(hoardFile);
            else if (nState == fileShort)
            {
                std::vector<BYTE> bytes = ReadAllBytes(hoardFile);
                bytes.resize(bytes.size() / 2);
                WriteAllBytes(hoardFile, bytes);
            }

            const char* pszWave = pSamples == &shortSamples ? shortWave : longWave;
            std::string strContext = "state " + std::to_string(nState) + ", " + pszWave;
            ASSERT_TRUE(pWav->ImportFromFile(pszWave)) << strContext;
            EXPECT_EQ(pSamples->size(), pWav->GetDataSize()) << strContext;
            EXPECT_EQ(std::string(pSamples->begin(), pSamples->end()), SamplesOf(*pWav)) << strContext;
            EXPECT_EQ(8000u, pWav->GetFormat().wf.nSamplesPerSec) << strContext;
        }
    }
}

} // namespace
