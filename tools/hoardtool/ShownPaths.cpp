#include "ShownPaths.h"

#include <string.h>

#include <algorithm>
#include <vector>

namespace {

// A path or a folder (ending in its separator) and how it is shown.
struct ShownAs
{
    CString strFrom;
    CString strTo;
    bool bFolder;
};

std::vector<ShownAs>& Spellings()
{
    static std::vector<ShownAs> spellings;
    return spellings;
}

// Where a path that starts at p ends: at the end of the text, a blank, a quote, or
// the full stop, comma or colon that ends a sentence or a clause.
const char* EndOfPath(const char* p)
{
    while (*p != '\0' && !strchr(" \t\r\n\"'", *p) &&
           !(strchr(".,:;", *p) && (p[1] == '\0' || strchr(" \t\r\n", p[1]))))
        ++p;
    return p;
}

} // namespace

void AddShownPath(const char* pszPath, const char* pszShown)
{
    CString strPath = pszPath, strShown = pszShown;
    if (strPath.IsEmpty() || strPath == strShown)
        return;
    std::vector<ShownAs>& spellings = Spellings();
    spellings.push_back({ strPath, strShown, false });
    // Its folder, when both spellings name one: the folder of a relative path with
    // no separator is the current one, and a file in it is shown by its name alone.
    int nFolder = strPath.ReverseFind('\\');
    if (nFolder >= 0)
        spellings.push_back({ strPath.Left(nFolder + 1), strShown.Left(strShown.ReverseFind('/') + 1), true });
    // The longest first, so that a path wins over another that is a part of it.
    std::stable_sort(spellings.begin(), spellings.end(), [](const ShownAs& a, const ShownAs& b) {
        return a.strFrom.GetLength() > b.strFrom.GetLength();
    });
}

CString InUserTerms(const char* pszText)
{
    CString strResult;
    for (const char* p = pszText; *p != '\0';)
    {
        const ShownAs* pMatch = NULL;
        for (const ShownAs& shown : Spellings())
        {
            // Windows paths compare without regard to case. A folder stands only for
            // files directly inside it.
            int nFrom = shown.strFrom.GetLength();
            if (_strnicmp(p, shown.strFrom, nFrom) != 0)
                continue;
            const char* pEnd = EndOfPath(p + nFrom);
            if (shown.bFolder ? (pEnd == p + nFrom || memchr(p + nFrom, '\\', pEnd - (p + nFrom)) != NULL)
                              : pEnd != p + nFrom)
                continue;
            pMatch = &shown;
            break;
        }
        if (pMatch == NULL)
        {
            strResult += *p++;
            continue;
        }
        strResult += pMatch->strTo;
        p += pMatch->strFrom.GetLength();
    }
    return strResult;
}
