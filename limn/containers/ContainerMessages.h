// The messages of container trees. Each is built on the stack, broadcast once and
// destroyed.
#pragma once

#include "hoard/runtime/Message.h"
#include "limn/limn_api.h"

class CContainer;
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
