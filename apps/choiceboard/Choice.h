// CChoice: one choice of the board, a leaf of the screen that the user selects with the
// mouse or by scanning. It shows the picture of its name, or its name as text when the
// document has no such picture (or its picture cannot be read), and selecting it plays
// the sound of its name without waiting; the choice looks pressed while its sound plays.
// One sound plays at a time: a choice whose sound another one cuts short looks normal
// again.
#pragma once

#include "limn/containers/ResourceContainer.h"

class CEventLog;
class CWav;

class CChoice : public CResourceContainer
{
public:
    // pPicture and pSound belong to the document's resource file, which outlives the
    // choice; either may be NULL. pLog, when given, hears of selections and sounds.
    CChoice(CDrawableResource* pPicture, const CWav* pSound, CEventLog* pLog);
    // A sound that still plays no longer presses this choice.
    ~CChoice() override;

    const CWav* GetSound() const { return m_pSound; }
    // Whether this choice's sound is playing.
    BOOL IsSounding() const { return s_pSounding == this; }

    // Scanning selects a choice itself.
    BOOL CanScanSelect() override { return TRUE; }
    // Announces the selection (MsgContainerSelected), as plain containers do, then
    // plays the sound.
    void OnSelect() override;

protected:
    // The picture as a resource container draws it, or the name centred; pressed, on an
    // amber ground and moved 2 pixels down and right. A picture that cannot be read is
    // shown by its name from then on.
    void DrawContents(CCanvas& canvas) override;

private:
    void DrawName(CCanvas& canvas, const CRect& rect);
    // The end of the playing sound, reported by the sound engine (also when the sound
    // could not start, or another one stopped it).
    static void OnSoundDone(CWav* pWav);

    const CWav* m_pSound;
    CEventLog* m_pLog;

    static CChoice* s_pSounding;        // the choice whose sound plays
};
