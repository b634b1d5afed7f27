// CPictureClass: the registry entry of pictures. It previews, takes device-independent
// bitmaps from the clipboard, and has the command "ID_IMPORT" (0).
#pragma once

#include "limn/limn_api.h"
#include "hoard/resources/ResourceClass.h"

class LIMN_API CPictureClass : public CResourceClass
{
public:
    explicit CPictureClass(CRuntimeClass* pRuntimeClass);

    void OnInitClass() override;
    // clipPreferred while the clipboard holds a DIB.
    ClipboardResult CanConvertClipboard() override;
    // Command 0, the import: asks for a picture file (bitmap, PNG, JPEG, GIF or TIFF)
    // in an open-file dialog and imports the chosen one (ImportFile) under the file
    // title the dialog reports. A file that holds no picture is reported in a message box; one that cannot be opened raises
    // the framework's file exception. Other commands do nothing.
    void OnCommand(WORD nCommand, const CHoard& hoard, CResource* pSelected, CEditProxy& proxy) override;

    // The import command once the user has chosen a file: opens pszPath for reading (a
    // failure raises the framework's file exception), has the editor make a picture
    // named pszTitle and fills it from the file. When the file holds no bitmap that can
    // be read, the new picture is deleted again and the result is FALSE.
    static BOOL ImportFile(const char* pszPath, const char* pszTitle, CEditProxy& proxy);
};
