// CChoiceScreen: the screen document the board shows, its container tree and the
// resource file after it, with every named leaf of the tree made a choice (CChoice) that
// shows the picture and plays the sound of its name.
#pragma once

#include "hoard/resources/Hoard.h"

#include <memory>

class CContainer;
class CEventLog;
class CWndContainer;

class CChoiceScreen
{
public:
    CChoiceScreen();
    // The tree goes before the resource file its choices draw from.
    ~CChoiceScreen();
    CChoiceScreen(const CChoiceScreen&) = delete;
    CChoiceScreen& operator=(const CChoiceScreen&) = delete;

    enum LoadResult
    {
        loaded = 0,
        notScreenDocument,      // no resource section ends it, or nothing stands ahead of it
        noScreen,               // the document's tree is empty
        noChoices,              // no leaf of the tree has a name
    };
    // Reads the screen document at pszPath and makes its choices, which tell pLog of
    // their selections and sounds. Throws the framework's file and archive exceptions
    // for a file that cannot be read whole; says what else kept it from being shown.
    LoadResult Load(const char* pszPath, CEventLog* pLog);

    CWndContainer* GetRoot() const { return m_pRoot.get(); }
    CHoard& GetHoard() { return m_hoard; }
    int GetChoiceCount() const { return m_nChoices; }

private:
    // Replaces every plain leaf with a name below pParent by a choice with its stored
    // record and its place; returns how many it replaced.
    int MakeChoices(CContainer* pParent, CEventLog* pLog);

    CHoard m_hoard;
    std::unique_ptr<CWndContainer> m_pRoot;
    int m_nChoices;
};
