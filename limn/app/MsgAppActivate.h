// MsgAppActivate: the application was activated (TRUE) or deactivated (FALSE), as the
// main frame learns it from WM_ACTIVATEAPP.
#pragma once

#include "hoard/runtime/Message.h"
#include "limn/limn_api.h"

class LIMN_API MsgAppActivate : public Message
{
public:
    explicit MsgAppActivate(BOOL bActive) : m_bActive(bActive) {}
    ~MsgAppActivate() override;
    BOOL m_bActive;
};
