// CPictureClass's import command: the open-file dialog, then the file imported.
#include "limn/pictures/PictureClass.h"
#include "limn/app/LimnModule.h"
#include "limn/res/resource.h"

#include <afxdlgs.h>

namespace {

// The kinds of picture file that the import reads, as the dialog offers them after
// "All Pictures", which joins their patterns.
const struct
{
    const char* pszName;
    const char* pszPatterns;
} s_fileKinds[] = {
    { "Bitmaps", "*.bmp;*.dib" },
    { "PNG Pictures", "*.png" },
    { "JPEG Pictures", "*.jpg;*.jpeg" },
    { "GIF Pictures", "*.gif" },
    { "TIFF Pictures", "*.tif;*.tiff" },
    { "Macintosh Pictures", "*.pct;*.pict" },
};

// The dialog's filter string: "Name (patterns)|patterns|" for "All Pictures", then for
// each kind.
CString PictureFilter()
{
    CString strAll;
    for (const auto& kind : s_fileKinds)
        strAll += CString(strAll.IsEmpty() ? "" : ";") + kind.pszPatterns;
    CString strFilter = "All Pictures (" + strAll + ")|" + strAll + "|";
    for (const auto& kind : s_fileKinds)
        strFilter += CString(kind.pszName) + " (" + kind.pszPatterns + ")|" + kind.pszPatterns + "|";
    return strFilter;
}

} // namespace

void CPictureClass::OnCommand(WORD nCommand, const CHoard&, CResource*, CEditProxy& proxy)
{
    if (nCommand != 0)
        return;
    // No initial file name: a pattern there would hide what "All Pictures" shows.
    CFileDialog dlg(TRUE, "DIB", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, PictureFilter());
    if (dlg.DoModal() != IDOK)
        return;
    if (!ImportFile(dlg.GetPathName(), dlg.GetFileTitle(), proxy))
    {
        CString strPrompt;
        strPrompt.LoadString(LimnResourceHandle(), IDS_PICTURE_IMPORT_FAILED);
        AfxMessageBox(strPrompt);
    }
}
