// The pictures and sounds of an imported board: an OBF image or sound fetched from the
// first of its sources that gives something this system can use, and imported into a
// hoard as a CPicture or CWav, as the import of a file of the same bytes would.
//
// Images: a data: URI, a path in the package, a URL (never fetched) and a symbol (no
// symbol set is installed), in the format's order of preference; the bytes go through
// the picture import, which reads them by content (bitmap, PNG, JPEG, GIF, TIFF,
// Macintosh picture). SVG is not drawn here. Sounds: a data: URI, then a path; a WAVE
// file is imported as it is, MPEG layer III (MP3) decoded to a WAVE first.
#pragma once

#include <afx.h>

class CBoardFiles;
class CHoard;
class CResource;

namespace obf {
struct Image;
struct Sound;
} // namespace obf

// The picture of the image, a new resource of hoard named strName (numbered when the
// name is taken); NULL, with strWhy saying why (of its most preferred source), when no
// source gives a picture. A package that obfcore refuses on reading throws obf::Error.
CResource* ImportBoardImage(CHoard& hoard, const CBoardFiles& files, const obf::Image& image, const CString& strName,
                            CString& strWhy);

// The same for a sound: NULL with strWhy ("audio/ogg", "no MP3 decoder in the system",
// ...) when it cannot be had.
CResource* ImportBoardSound(CHoard& hoard, const CBoardFiles& files, const obf::Sound& sound, const CString& strName,
                            CString& strWhy);
