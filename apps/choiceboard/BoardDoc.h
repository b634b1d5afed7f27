// CBoardDoc: a board, the choice board's document: a screen (a container tree) followed
// by its resources, in a ".lmd" file. Once the file is read, every plain leaf of the
// screen that has a name becomes a choice (CChoice) that shows the picture and plays the
// sound of its name. A file that is no screen document, holds no screen or a screen
// without such a leaf is refused with a message that says so; the application says it
// on standard error for the documents of its command line, in a message box for those
// opened later. A new board holds two rows of three blank choices, shown by their names.
//
// A board opened through a link (BoardLinks.h) keeps the trail of boards it was reached
// from and has a "back" choice (BackChoice.h) that leads to the last of them; it shows
// the picture and plays the sound named "back" when the board has them.
#pragma once

#include "BoardLinks.h"

#include "limn/app/LimnDoc.h"
#include "limn/containers/ContainerWatch.h"

#include <memory>

class CContainer;

class CBoardDoc : public CLimnDoc
{
    DECLARE_DYNCREATE(CBoardDoc)
protected:
    CBoardDoc() = default;

public:
    int GetChoiceCount() const { return m_nChoices; }
    // The board's window showed it for the first time: it is logged as open from now
    // on, and as closed when it goes.
    void OnShown();
    // Shown and not closing.
    BOOL IsShown() const { return m_bShown; }

// Links
    // The boards this one was reached from through links, oldest first.
    const BoardTrail& GetTrail() const { return m_trail; }
    // This board is to make way for the board strLink names, relative to its folder.
    void FollowLink(const CString& strLink);
    // This board is to make way for the last board of its trail.
    void GoBack();

// Overridables
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // Logs the board's closing when it was shown; a link it asked to follow is dropped.
    void OnCloseDocument() override;
    // The board is written without its "back" choice: that one comes from the link that
    // opened the board, not from its file. Scanning starts over on the board, "back"
    // included.
    void Serialize(CArchive& ar) override;
    // A file that cannot be read is reported as the application reports its messages;
    // a failed save as the framework does.
    void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) override;

protected:
    // Edit Resources: the list editor of the board's resources of a type the user picks.
    afx_msg void OnEditResources();

    DECLARE_MESSAGE_MAP()

private:
    // Says why the file cannot be shown; FALSE.
    BOOL Refuse(UINT nID, LPCTSTR lpszPathName);
    // Replaces every plain leaf with a name below pParent by a choice with its stored
    // record and its place; returns how many it replaced.
    int MakeChoices(CContainer* pParent);
    // The "back" choice, first on the screen.
    void AddBackChoice();

    int m_nChoices = 0;
    BOOL m_bShown = FALSE;
    BoardTrail m_trail;
    std::unique_ptr<CContainerWatch> m_pBack;   // the "back" choice, when it has one
};
