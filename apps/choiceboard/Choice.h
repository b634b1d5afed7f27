// CChoice: one choice of a board, a leaf of the screen that the user selects with the
// mouse or by scanning. It shows the picture of its name, or its name as text when the
// board has no such picture (or its picture cannot be read), and selecting it plays
// the sound of its name without waiting; the choice looks pressed while its sound plays.
// A choice link of the choice's name (limn/containers/ChoiceLink.h) gives it its own
// picture and sound instead. One sound plays at a time: a choice whose sound another
// one cuts short looks normal again. The picture and the sound are followed through the board's resource file:
// resources added, renamed, edited or deleted under the choice's name (in the list
// editor, by pasting) show at once, and saving, which merges identical resources, keeps
// the choice on the one kept.
//
// A choice may lead to another board: the one its choice link names, or, for the "back"
// choice of a board reached through a link, the board it came from. Its board is
// replaced by that one once the choice's sound has ended (played out, stopped by a sound
// that is not another choice's, or unable to start), or at once without a sound
// (CBoardDoc::FollowLink, GoBack). Selecting another choice meanwhile drops the link:
// the latest selection counts.
#pragma once

#include "FollowedResource.h"

#include "limn/containers/ResourceContainer.h"

class CEventLog;
class CWav;

class CChoice : public CResourceContainer
{
public:
    // pPicture and pSound belong to the board's resource file; either may be NULL.
    // pLog, when given, hears of selections and sounds, and must outlive the choice.
    CChoice(CDrawableResource* pPicture, CWav* pSound, CEventLog* pLog);
    // A sound that still plays no longer presses this choice.
    ~CChoice() override;

    const CWav* GetSound() const;
    // Makes this the "back" choice of its board.
    void SetBack() { m_bBack = TRUE; }
    // Whether this choice's sound is playing.
    BOOL IsSounding() const { return s_pSounding == this; }

    // Scanning selects a choice itself.
    BOOL CanScanSelect() override { return TRUE; }
    // Announces the selection (MsgContainerSelected), as plain containers do, then
    // plays the sound, and has the choice's link followed once it has ended.
    void OnSelect() override;
    // Takes the picture and the sound of its name again, and shows them, after a
    // resource of its board's file changed under that name.
    void OnMessage(Message* pMsg) override;

protected:
    // The picture as a resource container draws it, or the name centred; pressed, on an
    // amber ground and moved 2 pixels down and right. A picture that cannot be read is
    // shown by its name until the picture changes.
    void DrawContents(CCanvas& canvas) override;

private:
    void DrawName(CCanvas& canvas, const CRect& rect);
    // Whether a change to a resource named pszName in pHoard concerns this choice.
    BOOL IsMine(const CHoard* pHoard, const char* pszName);
    // The end of the playing sound, reported by the sound engine (also when the sound
    // could not start, or another one stopped it).
    static void OnSoundDone(CWav* pWav);
    // The board the choice's link names, relative to its board's folder; empty for none.
    CString GetLinkedBoard();
    BOOL LeadsToBoard() { return m_bBack || !GetLinkedBoard().IsEmpty(); }
    // Has the choice's board replaced by the board it leads to, once the message being
    // handled is done.
    void FollowLink();

    CFollowedResource m_picture;
    CFollowedResource m_sound;
    BOOL m_bPictureFailed;              // its picture could not be drawn
    CEventLog* m_pLog;
    BOOL m_bBack = FALSE;

    static CChoice* s_pSounding;        // the choice whose sound plays
    static BOOL s_bFollowWhenDone;      // its link is followed when the sound ends
};
