// CLogFont.
#include "limn/canvas/LogFont.h"

CLogFont::CLogFont(LONG height, const char* face, BOOL bold, BOOL underline, BOOL italic)
    : CLogFont()
{
    lfHeight = height;
    lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lfItalic = italic ? 1 : 0;
    lfUnderline = underline ? 1 : 0;
    lfCharSet = ANSI_CHARSET;
    lfQuality = DRAFT_QUALITY;
    if (face != NULL)
        lstrcpynA(lfFaceName, face, LF_FACESIZE);
}

bool CLogFont::operator==(const CLogFont& other) const
{
    return lfHeight == other.lfHeight && lfWeight == other.lfWeight && lfItalic == other.lfItalic
        && lfUnderline == other.lfUnderline && strcmp(lfFaceName, other.lfFaceName) == 0;
}
