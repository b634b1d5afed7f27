// CBoardLinks: following board links in the choice board. A choice whose link names
// another board (a screen document, by its file name relative to the board's folder),
// or the "back" choice of a board reached that way, asks for its board to be replaced
// while its selection is handled (Request, RequestBack); the replacement happens later,
// when the main frame handles WM_FOLLOWLINK, so that nothing the selection's handlers
// still walk is destroyed under them. Only the latest request counts, and a board that
// closes takes its request with it.
//
// Following a link: the linked board opens in a window of its own where the current
// board's window is, then the current board closes (asking first whether to save it
// when it changed: Cancel keeps it, and the link is not followed), and the log hears
// "board NAME", NAME being the title of the board now shown (its file's name, as "open"
// and "activate" name it). A board reached through a link remembers the boards it came
// from (its trail, oldest first) and gains a "back" choice (BackChoice.h) that opens the
// last of them in its place, with the rest of the trail. A link that leaves its board's
// folder is refused with a message; a board that cannot be read is reported as reading
// it reports, and the current board stays in either case.
#pragma once

#include <afxwin.h>

#include <vector>

class CBoardDoc;

// The full paths of the boards a board was reached from, oldest first.
using BoardTrail = std::vector<CString>;

// Posted to the main frame when a choice asked to follow a link.
const UINT WM_FOLLOWLINK = WM_APP + 1;

class CBoardLinks
{
public:
    CBoardLinks() = default;
    CBoardLinks(const CBoardLinks&) = delete;
    CBoardLinks& operator=(const CBoardLinks&) = delete;

    // pFrom is to be replaced by the board that strLink names, relative to pFrom's folder.
    void Request(CBoardDoc* pFrom, const CString& strLink);
    // pFrom is to be replaced by the last board of its trail.
    void RequestBack(CBoardDoc* pFrom);
    // A board that closes: its request goes.
    void Forget(const CBoardDoc* pDoc);
    // Carries out the request, if any. FALSE when it cannot now (a dialog or message box
    // of the program is up, or a menu is open): the request waits.
    BOOL FollowPending();

    // The trail of the board that a follow is reading, which that board takes as its
    // own; NULL while no follow reads a board.
    const BoardTrail* GetOpeningTrail() const { return m_pOpeningTrail; }

private:
    void Post(CBoardDoc* pFrom, const CString& strLink, BOOL bBack);
    // Puts the frame of pNew where the frame of pOld is.
    static void TakePlace(CDocument* pNew, CDocument* pOld);

    CBoardDoc* m_pFrom = NULL;          // the board of the waiting request; NULL: none
    CString m_strLink;
    BOOL m_bBack = FALSE;
    const BoardTrail* m_pOpeningTrail = NULL;
};
