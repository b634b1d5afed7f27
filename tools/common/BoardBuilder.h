// CBoardBuilder: makes a board, a screen document that the choice board opens: a root
// named as the board's title ("board" without one), a title container that shows the
// title's text as a picture, then one group per row ("row 1", "row 2", ...) holding the
// row's choices in order, so that scanning goes row first, then choice. BoardReader.h
// reads a board back. Every choice is a framed, filled leaf named as the choice, with a
// choice link (limn/containers/ChoiceLink.h) of the same name to its picture, its sound
// and the board it opens, so that it keeps them when names are numbered or saving
// merges identical resources. An empty cell is a leaf without a name, frame or fill:
// empty space, never a choice.
//
// The pictures and sounds are the caller's, resources of the builder's hoard:
//
//     CHoard hoard;
//     CBoardBuilder board(hoard);
//     board.SetTitle("Snacks");
//     BoardChoice apple;
//     apple.pPicture = picture;            // a CPicture of hoard, or NULL: its name shows
//     apple.pSound = sound;                // a CWav of hoard, or NULL
//     apple.strBoard = "fruit.lmd";        // selecting it opens that board
//     board.AddChoice(apple);              // to row 1
//     board.AddEmpty();
//     board.AddRow();
//     ...
//     board.Save("C:\\boards\\snacks.lmd");
#pragma once

#include <afxwin.h>

#include <vector>

class CHoard;
class CResource;
class CWndContainer;

// One choice: what it shows, plays and opens, and its colours.
struct BoardChoice
{
    CString strName;                        // empty: the picture's name ("choice" without one)
    CResource* pPicture = NULL;             // a picture of the builder's hoard, or NULL
    CResource* pSound = NULL;               // a sound of the builder's hoard, or NULL
    COLORREF crFill = RGB(255, 255, 255);
    COLORREF crFrame = RGB(160, 160, 160);
    CString strBoard;                       // the linked board's file name, or empty
};

class CBoardBuilder
{
public:
    explicit CBoardBuilder(CHoard& hoard);

    // The title's text; no title container when it is empty (the default).
    void SetTitle(const char* pszText) { m_strTitle = pszText; }
    // The screen's size, 640x480 unless set.
    void SetSize(CSize size) { m_size = size; }
    // Starts a new row; the first choice starts one itself.
    void AddRow();
    // Adds a choice to the current row and its link to the hoard. The choice is named
    // strName, numbered when another choice of the board has that name; returns the
    // name it got.
    CString AddChoice(const BoardChoice& choice);
    // Adds an empty cell to the current row.
    void AddEmpty();

    // The board's tree, the caller's; adds the title's label picture to the hoard.
    CWndContainer* Build();
    // Builds the board and writes it with the hoard's resources as a screen document,
    // through "TEMPSAVE.TMP" beside it as every save does.
    void Save(const char* pszPath);

private:
    struct Cell
    {
        CString strName;                    // empty: an empty cell
        COLORREF crFill;
        COLORREF crFrame;
    };

    CHoard& m_hoard;
    CString m_strTitle;
    CSize m_size;
    std::vector<std::vector<Cell>> m_rows;
};

// How many choices go to a row by default: the board as square as the count allows,
// ceil(sqrt(nChoices)), at least 1.
int SquareColumns(int nChoices);
