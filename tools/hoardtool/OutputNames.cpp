#include "OutputNames.h"
#include "ToolError.h"

#include <string.h>

namespace {

BOOL EndsIn(const char* pszPath, const char* pszExtension)
{
    size_t nPath = strlen(pszPath), nExtension = strlen(pszExtension);
    return nPath > nExtension && _stricmp(pszPath + nPath - nExtension, pszExtension) == 0;
}

} // namespace

void CheckBitmapName(const char* pszOut)
{
    if (!EndsIn(pszOut, ".bmp") && !EndsIn(pszOut, ".dib"))
        Fail("%s: the file written is a bitmap, whose name ends in .bmp or .dib", pszOut);
}

void CheckWaveName(const char* pszOut)
{
    if (!EndsIn(pszOut, ".wav"))
        Fail("%s: the file written is a WAVE sound, whose name ends in .wav", pszOut);
}

void CheckDocumentName(const char* pszOut)
{
    if (!EndsIn(pszOut, ".lmd"))
        Fail("%s: the file written is a screen document, whose name ends in .lmd", pszOut);
}

void CheckPackageName(const char* pszOut)
{
    if (!EndsIn(pszOut, ".obz"))
        Fail("%s: the file written is a board package, whose name ends in .obz", pszOut);
}
