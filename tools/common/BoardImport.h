// Boards of the Open Board Format imported as boards of this system: screen documents
// made by CBoardBuilder that the choice board opens.
//
// The board at the source (a package, .obz, or a loose board, .obf) becomes the document
// OUT; every board that it reaches through its buttons' links (load_board, by path or by
// id through the package's manifest) becomes a document of its own beside OUT, named
// after the board (CBoardDocumentNames), imported once however many buttons lead to it.
// A board's name becomes the title; each grid row a row of choices in the grid's order,
// an empty cell empty space; each button a choice named by its label (its id without
// one) in the ANSI code page, filled with its background colour and framed in its border
// colour (a colour that is not opaque laid over white), showing its image and playing
// its sound (BoardMedia.h), and opening the document of the board it links to. An image
// or sound that the board lacks is the file at the path that the package's manifest
// gives its id, its kind told by its bytes; one that neither has (a loose board has no
// manifest) is skipped ("image 7 is not in the board"). A link that leads out of the
// package (a URL) or to no board of it leaves the choice without a link. What could not
// be had is counted in each board's report.
//
// All or nothing: every document is saved to a temporary file in OUT's folder and moved
// into place only once all of them were saved; on any failure the temporary files are
// removed and OUT and its neighbours are left as they were.
#pragma once

#include <afx.h>

#include <utility>
#include <vector>

// What became of one board.
struct BoardImportReport
{
    CString strName;              // the board's name in the ANSI code page
    CString strFile;              // its document's file name
    int nButtons = 0;             // choices made, one for each button in the grid
    int nPictures = 0;            // choices showing a picture
    int nSounds = 0;              // choices playing a sound
    int nLinks = 0;               // choices opening a board
    int nMissingCharacters = 0;   // characters of names and labels not in the code page
    // What the choices lack, each reason with the count of choices it applies to, in
    // the order first met.
    std::vector<std::pair<CString, int>> skippedImages;
    std::vector<std::pair<CString, int>> skippedSounds;
    std::vector<std::pair<CString, int>> skippedLinks;

    // One line: board "Food" -> food.lmd: 12 buttons, 10 pictures, 8 sounds, 2 links;
    // skipped: 1 image (url not fetched), 1 sound (audio/ogg); 3 characters not in the
    // code page
    CString Line() const;
};

// Imports the board at pszSource into the document pszOut (a path with '\' separators)
// and the boards it links to beside it; the reports of all, the first board's first.
// Throws obf::Error for a package or board that obfcore refuses, and raises the
// framework's exceptions for files that cannot be read or written.
std::vector<BoardImportReport> ImportBoards(const char* pszSource, const char* pszOut);
