// The sounds of switch scanning: "Scan Sound", "Select Sound" and the cues of auditory
// scanning, found by name in the document's resource file, else in the application's.
// A sound that is missing or cannot play is skipped: scanning goes on silently.
#pragma once

#include "limn/limn_api.h"

#include <windows.h>

// Plays the sound of that name; with bWait, returns once it has ended.
void PlayScanningSound(const char* pszName, int bWait);

// Auditory scanning: plays the cue of a container named pszName, the sound "pszName
// cue", and returns while it plays. FALSE, and nothing played, when there is no such
// sound (or the name is empty).
BOOL PlayScanCue(const char* pszName);
// How many cues have started to play so far, for telling that another one has.
LIMN_API UINT GetScanCuesStarted();
// Whether the cue played last is still playing: not once it has ended, been stopped (by
// any other sound) or could not start.
BOOL IsScanCuePlaying();
