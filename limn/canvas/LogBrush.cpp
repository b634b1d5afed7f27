// CLogBrush.
#include "limn/canvas/LogBrush.h"

HGDIOBJ CLogBrush::Create() const
{
    LOGBRUSH logBrush = { lbStyle, lbColor, lbHatch };
    return ::CreateBrushIndirect(&logBrush);
}
