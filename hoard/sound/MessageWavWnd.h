// CMessageWavWnd: the hidden window to which the wave devices of every sound report
// the end of a playback (MM_WOM_DONE) or of a recording (MM_WIM_DATA). One exists
// while at least one sound exists; it is never shown. Like every frame it deletes its
// own object when its window is destroyed.
#pragma once

#include "hoard/hoard_api.h"

class CWav;

class HOARD_API CMessageWavWnd : public CFrameWnd
{
public:
    CMessageWavWnd() : m_pWav(NULL) {}

    // The sound most recently prepared for playback or recording.
    CWav* m_pWav;

protected:
    // A report goes to the sound whose device sent it, if that sound still uses the
    // device; exceptions of the completion stop here. The window ignores WM_CLOSE:
    // only the last sound destroys it.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
