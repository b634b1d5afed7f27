// The scanning sounds and cues.
#include "limn/scanning/ScanningSounds.h"

#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"

#include <initializer_list>

namespace {

// Set while the cue played last plays: cleared when its playback ends, however it ends.
BOOL g_bCuePlaying = FALSE;
// The cues that started to play.
UINT g_nCuesStarted = 0;

// The sound of that name in the document's resource file, else in the application's;
// NULL when neither has one.
const CWav* FindScanningSound(const char* pszName)
{
    for (CHoard* pHoard : { CHoard::GetDocumentHoard(), CHoard::GetApplicationHoard() })
    {
        if (pHoard == NULL)
            continue;
        const CResource* pRes = pHoard->GetResource("CWav", pszName);
        if (pRes != NULL && pRes->IsKindOf(RUNTIME_CLASS(CWav)))
            return static_cast<const CWav*>(pRes);
    }
    return NULL;
}

void OnCueDone(CWav*) { g_bCuePlaying = FALSE; }

void Play(const CWav* pWav, int bWait, void (*callback)(CWav*))
{
    try
    {
        pWav->Play(bWait, callback);
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

} // namespace

void PlayScanningSound(const char* pszName, int bWait)
{
    if (const CWav* pWav = FindScanningSound(pszName))
        Play(pWav, bWait, NULL);
}

BOOL PlayScanCue(const char* pszName)
{
    if (pszName == NULL || *pszName == '\0')
        return FALSE;
    const CWav* pWav = NULL;
    try
    {
        pWav = FindScanningSound(CString(pszName) + " cue");
    }
    catch (CException* e)
    {
        e->Delete();
    }
    if (pWav == NULL)
        return FALSE;
    // Play stops what plays (an earlier cue calls back then) before the cue starts. A
    // cue that could not start, or has ended already, has called back too, and no sound
    // plays.
    Play(pWav, FALSE, OnCueDone);
    g_bCuePlaying = CWav::SoundInProgress();
    if (g_bCuePlaying)
        ++g_nCuesStarted;
    return TRUE;
}

UINT GetScanCuesStarted() { return g_nCuesStarted; }

// A cue destroyed while it plays stops without calling back: then no sound plays.
BOOL IsScanCuePlaying()
{
    if (g_bCuePlaying && !CWav::SoundInProgress())
        g_bCuePlaying = FALSE;
    return g_bCuePlaying;
}
