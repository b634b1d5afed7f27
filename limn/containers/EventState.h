// CEventState: what goes with every mouse event routed into a container tree: the time,
// the cursor position and the modifier keys.
#pragma once

#include "limn/limn_api.h"

class LIMN_API CEventState
{
public:
    CEventState() : m_dwTime(0), m_nShift(0), m_nControl(0), m_nAlt(0) {}
    CEventState(DWORD dwTime, CPoint point, int nShift, int nControl, int nAlt)
        : m_dwTime(dwTime), m_point(point), m_nShift(nShift), m_nControl(nControl), m_nAlt(nAlt) {}

    DWORD m_dwTime;     // tick count when the event was taken
    CPoint m_point;     // cursor position, screen coordinates
    int m_nShift;       // key states as the asynchronous query gives them: negative while down
    int m_nControl;
    int m_nAlt;
};
