// CBoardDoc: a board, the choice board's document: a screen (a container tree) followed
// by its resources, in a ".lmd" file. Once the file is read, every plain leaf of the
// screen that has a name becomes a choice (CChoice) that shows the picture and plays the
// sound of its name. A file that is no screen document, holds no screen or a screen
// without such a leaf is refused with a message that says so; the application says it
// on standard error for the documents of its command line, in a message box for those
// opened later. A new board holds two rows of three blank choices, shown by their names.
#pragma once

#include "limn/app/LimnDoc.h"

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

// Overridables
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // Logs the board's closing when it was shown.
    void OnCloseDocument() override;
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

    int m_nChoices = 0;
    BOOL m_bShown = FALSE;
};
