// The messages of container trees. Each is built on the stack, broadcast once and
// destroyed.
#pragma once

#include "hoard/runtime/Message.h"
#include "limn/limn_api.h"

class CContainer;
class CContainerEdit;
class CWndContainer;

// A container was selected: released by the mouse where it was pressed.
class LIMN_API MsgContainerSelected : public Message
{
public:
    explicit MsgContainerSelected(CContainer* pContainer) : m_pContainer(pContainer) {}
    ~MsgContainerSelected() override;
    CContainer* m_pContainer;
};

// The window of a tree changed size; broadcast before the tree takes the new size.
class LIMN_API MsgWindowResized : public Message
{
public:
    explicit MsgWindowResized(CWndContainer* pWndContainer) : m_pWndContainer(pWndContainer) {}
    ~MsgWindowResized() override;
    CWndContainer* m_pWndContainer;
};

// A character was typed into a text-entry container (only Enter while its edit window
// announces Enter alone).
class LIMN_API MsgEditChar : public Message
{
public:
    MsgEditChar(CContainerEdit* pEdit, char chTyped) : m_pEdit(pEdit), m_chTyped(chTyped) {}
    ~MsgEditChar() override;
    CContainerEdit* m_pEdit;
    char m_chTyped;
};

// The edit window of a text-entry container gained (TRUE) or lost (FALSE) the focus.
class LIMN_API MsgFocusChange : public Message
{
public:
    MsgFocusChange(CContainer* pContainer, BOOL bGained) : m_pContainer(pContainer), m_bGained(bGained) {}
    ~MsgFocusChange() override;
    CContainer* m_pContainer;
    BOOL m_bGained;
};

// The value of a container changed: a character was typed into a text-entry container.
class LIMN_API MsgValueChange : public Message
{
public:
    explicit MsgValueChange(CContainer* pContainer) : m_pContainer(pContainer) {}
    ~MsgValueChange() override;
    CContainer* m_pContainer;
};
