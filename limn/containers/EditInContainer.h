// CEditInContainer: the rich-edit child window of a text-entry container (CContainerEdit).
// Its focus notifications come back to it from the tree's window (reflection) and, like
// the characters typed into it, are announced by broadcast messages: MsgEditChar,
// MsgFocusChange and MsgValueChange (ContainerMessages.h).
#pragma once

#include "limn/limn_api.h"

#include <afxcmn.h>

class CContainerEdit;

class LIMN_API CEditInContainer : public CRichEditCtrl
{
public:
    // Values of m_nNotify; any other value announces nothing.
    enum
    {
        notifyAll = 0,      // focus changes, every character and value changes
        notifyEnter = 2,    // the Enter character alone
    };

    explicit CEditInContainer(CContainerEdit* pContainer);
    ~CEditInContainer() override;

    CContainerEdit* m_pContainer;   // the owner
    int m_nNotify;                  // notifyEnter; nothing in the library changes it

protected:
    afx_msg void OnSetFocusNotify();
    afx_msg void OnKillFocusNotify();
    // The control takes the character, then it is announced.
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()

private:
    // Tells an announcement in progress that a receiver destroyed this window's owner.
    struct CDestroyWatch
    {
        BOOL bDestroyed;
        CDestroyWatch* pOuter;      // the announcement this one runs inside, or NULL
    };
    CDestroyWatch* m_pWatch;
};
