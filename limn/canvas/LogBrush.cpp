// CLogBrush.
#include "limn/canvas/LogBrush.h"

CLogBrush::CLogBrush(COLORREF color, BOOL hatched) : CLogBrush()
{
    lbStyle = hatched ? BS_HATCHED : BS_SOLID;
    lbColor = color;
    lbHatch = HS_DIAGCROSS;
}

HGDIOBJ CLogBrush::Create() const
{
    LOGBRUSH logBrush = { lbStyle, lbColor, lbHatch };
    return ::CreateBrushIndirect(&logBrush);
}
