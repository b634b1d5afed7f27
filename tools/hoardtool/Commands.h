// The commands of hoardtool. Each takes the arguments that follow the command's name,
// returns the exit status, and reports failures by Fail (ToolError.h) or the framework's
// exceptions. Messages name paths as the command was given them; main shows them in the
// user's spelling (ShownPaths.h). Text that a command prints itself and that names a
// path goes through InUserTerms. A command whose arguments include paths is listed
// with their positions in scripts/hoardtool.
#pragma once

#include <afx.h>

#include <vector>

class CHoard;
class CPicture;
class CWav;

// Resource files: FileCommands.cpp
int Info(int argc, char** argv);    // FILE
int List(int argc, char** argv);    // FILE
int Check(int argc, char** argv);   // FILE
int Import(int argc, char** argv);  // FILE SOUND|PICTURE...
int Export(int argc, char** argv);  // FILE TYPE NAME OUT

// Pictures: PictureCommands.cpp
int Render(int argc, char** argv);  // FILE NAME OUT.bmp [options] [--save]
// What the file commands do with pictures: import a picture file as a new picture, the
// bytes of a picture's data (its bitmap, or else its Macintosh picture) and the width,
// height and depth of its bitmap, the kinds of its elements, the check of its bitmaps
// (the count of their blocks: bitmaps and Macintosh pictures), and the picture written as a ".bmp" file.
CPicture* ImportPicture(CHoard& hoard, const char* pszPath);
DWORD PictureDataSize(CPicture* pPicture);
// "WxH, N bits" of the picture's bitmap, with the depth of the bitmap file pszSource
// when the picture keeps it at fewer bits; "no readable bitmap" for a bitmap that cannot
// be read; the picture's "WxH" without a bitmap.
CString PictureFormat(CPicture* pPicture, const char* pszSource = NULL);
// "bitmap", "Macintosh picture", "ellipse", "polygon" or the class name of each element,
// in order.
CString PictureElementKinds(CPicture* pPicture);
UINT CheckPicture(CPicture* pPicture);
// The picture as export writes it: its bitmap as stored, a Macintosh picture as the
// media library converts it, any other picture drawn at its own size over white; a new
// packed DIB, the caller's to GlobalFree. Fails, naming the picture, when there is none.
HGLOBAL ExportedPictureDIB(CPicture* pPicture);
void ExportPicture(CPicture* pPicture, const char* pszOut);

// What export does with sounds: the sound as the bytes of a WAVE file. Fails when its
// samples cannot be read back. FileCommands.cpp
std::vector<BYTE> SoundFileBytes(CWav* pWav);
// The whole content of a file in memory.
std::vector<BYTE> MemoryFileBytes(CMemFile& file);

// Sounds through the sound devices: SoundCommands.cpp
int Play(int argc, char** argv);    // FILE NAME
int Record(int argc, char** argv);  // FILE NAME SECONDS [--quality low|medium|high] [--trim]
int Trim(int argc, char** argv);    // FILE NAME

// The clipboard: ClipboardCommands.cpp
int Copy(int argc, char** argv);        // FILE TYPE NAME... [--wait]
int Paste(int argc, char** argv);       // FILE [--replace | --rename]
int Clipboard(int argc, char** argv);   // (none)

// Screen documents: ScreenCommands.cpp
int Tree(int argc, char** argv);    // DOC
int Shot(int argc, char** argv);    // DOC OUT.bmp [--size WxH] [--depth 8|16]

// Boards: BoardCommands.cpp
int Board(int argc, char** argv);   // OUT.lmd [--title TEXT] [--columns N] [--link NAME=OTHER.lmd] PICTURE[=SOUND]...

// Board packages: BoardExport.cpp
int ExportBoard(int argc, char** argv);     // DOC OUT.obz
// Boards of the Open Board Format: BoardImportCommand.cpp
int ImportBoard(int argc, char** argv);   // BOARD.obf|BOARD.obz OUT.lmd
