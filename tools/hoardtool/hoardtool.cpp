// hoardtool: inspects resource files and moves resources in and out of them.
//
//   hoardtool info FILE                     the section's structure, nothing created
//   hoardtool list FILE                     type, name and data size of every resource,
//                                           a picture's width, height and depth, and the
//                                           kinds of its elements
//   hoardtool check FILE                    reads everything, decoding every block
//   hoardtool import FILE SOUND|PICTURE...  adds WAVE files as sounds, and bitmap (.bmp,
//                                           .dib), PNG, JPEG, GIF, TIFF and Macintosh
//                                           picture (.pct, .pict) files as pictures, and saves
//   hoardtool export FILE TYPE NAME OUT     writes a sound out as a WAVE file, a picture as
//                                           a ".bmp" file; TYPE is a type's display name
//                                           (sound, picture) or class name
//   hoardtool render FILE NAME OUT.bmp [--size WxH] [--depth 8|16] [--plain] [--antialias]
//            [--color RRGGBB] [--transparent] [--flip h|v] [--save]
//                                           draws a picture into an off-screen buffer and
//                                           writes the buffer as a ".bmp" file; --save then
//                                           saves the file as the drawing left it: a
//                                           Macintosh picture that it converted is kept as
//                                           its bitmap, and a flip stays
//   hoardtool tree DOC                      the container tree of a screen document
//   hoardtool shot DOC OUT.bmp [--size WxH] [--depth 8|16]
//                                           draws a screen document's tree, its pictures
//                                           shown, and writes it as a ".bmp" file
//   hoardtool board OUT.lmd [--title TEXT] [--columns N] [--link NAME=OTHER.lmd] PICTURE[=SOUND]...
//                                           writes a board: a screen document with a
//                                           title and rows of framed choices, each
//                                           showing a picture and playing its sound; a
//                                           --link choice opens another board
//   hoardtool export-board DOC OUT.obz      writes a board, and every board its choices
//                                           open, as an Open Board Format package
//   hoardtool import-board BOARD.obf|BOARD.obz OUT.lmd
//                                           imports a board of the Open Board Format,
//                                           and the boards of its package that it links
//                                           to, as boards beside OUT; one line of report
//                                           for each board
//   hoardtool play FILE NAME                plays a sound through the output device
//   hoardtool record FILE NAME SECONDS [--quality low|medium|high] [--trim]
//                                           records a new sound from the input device;
//                                           one that trimming removes whole is not added
//   hoardtool trim FILE NAME                squelches and trims a stored recording
//   hoardtool copy FILE TYPE NAME... [--wait]
//                                           puts resources on the clipboard; with --wait
//                                           the tool stays until its input ends
//   hoardtool paste FILE [--replace|--rename]
//                                           pastes the clipboard's resources and saves;
//                                           the option answers for names already taken
//   hoardtool clipboard                     the type and names of the resources on the
//                                           clipboard, and whether it holds a picture
//
// FILE is a resource file or a screen document (its container tree, then its resources);
// any other file is refused by every command before it is read or written. A damaged
// file or a failure gives one line on standard error and exit status 1.
//
// Before the command, any number of "--path-as PATH SHOWN" options tell the tool that
// the path PATH of an argument is to be named SHOWN in its messages: a script that
// converts the user's paths into the tool's passes the user's spellings this way.
#include "Commands.h"
#include "ShownPaths.h"
#include "ToolError.h"
#include "TypeNames.h"

#include "hoard/resources/ResourceClass.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>

namespace {

const char szUsage[] =
    "usage: hoardtool info FILE\n"
    "       hoardtool list FILE\n"
    "       hoardtool check FILE\n"
    "       hoardtool import FILE WAV|BMP|DIB|PNG|JPG|GIF|TIF|PCT...\n"
    "       hoardtool export FILE TYPE NAME OUT\n"
    "       hoardtool render FILE NAME OUT.bmp [--size WxH] [--depth 8|16] [--plain] [--antialias]\n"
    "                        [--color RRGGBB] [--transparent] [--flip h|v] [--save]\n"
    "       hoardtool tree DOC\n"
    "       hoardtool shot DOC OUT.bmp [--size WxH] [--depth 8|16]\n"
    "       hoardtool board OUT.lmd [--title TEXT] [--columns N] [--link NAME=OTHER.lmd] PICTURE[=SOUND]...\n"
    "       hoardtool export-board DOC OUT.obz\n"
    "       hoardtool import-board BOARD.obf|BOARD.obz OUT.lmd\n"
    "       hoardtool play FILE NAME\n"
    "       hoardtool record FILE NAME SECONDS [--quality low|medium|high] [--trim]\n"
    "       hoardtool trim FILE NAME\n"
    "       hoardtool copy FILE TYPE NAME... [--wait]\n"
    "       hoardtool paste FILE [--replace|--rename]\n"
    "       hoardtool clipboard\n"
    "TYPE is a type's name, in any case: ";

// A command's name, how many arguments follow it (nMaxArgs -1: no limit) and its code.
struct Command
{
    const char* pszName;
    int nMinArgs;
    int nMaxArgs;
    int (*pfnRun)(int argc, char** argv);
};

const Command commands[] = {
    {"info", 1, 1, Info},
    {"list", 1, 1, List},
    {"check", 1, 1, Check},
    {"import", 2, -1, Import},
    {"export", 4, 4, Export},
    {"render", 3, -1, Render},
    {"tree", 1, 1, Tree},
    {"shot", 2, 6, Shot},
    {"board", 2, -1, Board},
    {"export-board", 2, 2, ExportBoard},
    {"import-board", 2, 2, ImportBoard},
    {"play", 2, 2, Play},
    {"record", 3, 6, Record},
    {"trim", 2, 2, Trim},
    {"copy", 3, -1, Copy},
    {"paste", 1, 2, Paste},
    {"clipboard", 0, 0, Clipboard},
};

// The exit status, or -1 when the command line names no command.
int Run(int argc, char** argv)
{
    int nFirst = 1;
    while (nFirst + 2 < argc && strcmp(argv[nFirst], "--path-as") == 0)
    {
        AddShownPath(argv[nFirst + 1], argv[nFirst + 2]);
        nFirst += 3;
    }
    if (nFirst >= argc)
        return -1;
    int nArgs = argc - nFirst - 1;
    for (const Command& command : commands)
    {
        if (strcmp(argv[nFirst], command.pszName) == 0 && nArgs >= command.nMinArgs &&
            (command.nMaxArgs < 0 || nArgs <= command.nMaxArgs))
            return command.pfnRun(nArgs, argv + nFirst + 1);
    }
    return -1;
}

void PrintError(const char* pszMessage)
{
    fprintf(stderr, "hoardtool: %s\n", (LPCSTR)InUserTerms(pszMessage));
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    LoadTypeNames();
    CResourceClass::InitResourceClasses();
    try
    {
        int nResult = Run(argc, argv);
        if (nResult < 0)
        {
            fprintf(stderr, "%s%s\n", szUsage, (LPCSTR)TypeList());
            return 2;
        }
        return nResult;
    }
    catch (const ToolError& error)
    {
        PrintError(error.m_strMessage);
    }
    catch (CException* e)
    {
        PrintError(ToolExceptionText(e));
        e->Delete();
    }
    return 1;
}
