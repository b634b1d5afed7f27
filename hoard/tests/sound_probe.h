// A sound whose samples a test sets and reads directly, for tests of files and their
// reloadable blocks.
#pragma once

#include "hoard/data/ReloadableData.h"
#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"

#include <string>

class CSampledWav : public CWav
{
public:
    void SetSamples(const std::string& samples)
    {
        m_format.wf = { WAVE_FORMAT_PCM, 1, 11025, 11025, 1 };
        m_format.wBitsPerSample = 8;
        m_data.SetData((DWORD)samples.size(), (void*)samples.data());
    }
    const CReloadableData& Data() const { return m_data; }
};

inline CSampledWav* NewSound(CHoard& hoard, const char* pszName, const std::string& samples)
{
    auto* pWav = new CSampledWav;
    pWav->SetName(pszName);
    pWav->SetSamples(samples);
    hoard.AddToMap(pWav);
    return pWav;
}

// The samples, read back from the file when they are not in memory.
inline std::string Samples(const CWav* pWav)
{
    if (pWav->GetDataSize() == 0)
        return "";
    const BYTE* p = pWav->GetData();
    if (p == NULL)
        return "<unreadable>";
    std::string s((const char*)p, pWav->GetDataSize());
    pWav->ReleaseData();
    return s;
}
