// CLogPen.
#include "limn/canvas/LogPen.h"

CLogPen::CLogPen(COLORREF color, WORD width, BOOL dashed) : CLogPen()
{
    lopnStyle = dashed ? PS_DASH : PS_INSIDEFRAME;
    lopnWidth.x = lopnWidth.y = width;
    lopnColor = color;
}
