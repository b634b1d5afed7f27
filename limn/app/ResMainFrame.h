// The application's main frame. So far its class-wide foreground flag: the canvas selects
// the shared palette as a background palette while the frame is not the active window.
#pragma once

#include "limn/limn_api.h"

class LIMN_API CResMainFrame
{
public:
    // The frame is the active window.
    static BOOL IsForeground() { return m_bForeground; }

protected:
    static BOOL m_bForeground;
};
