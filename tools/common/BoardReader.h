// ReadBoard: a board, a screen document laid out as CBoardBuilder makes it, read back
// into its title, its rows, and the choices and empty cells of each row, every choice
// with the picture, sound and linked board that its choice link names: the mirror of
// the builder, for programs that write a board in another form.
//
//     CHoard hoard;
//     std::unique_ptr<CWndContainer> pRoot(CMainContainerRecord::LoadFile(pszPath, hoard));
//     BoardContents board;
//     CString strWhy;
//     if (!ReadBoard(pRoot.get(), hoard, board, strWhy))
//         ...                             // not a board: strWhy says why
//     for (const auto& row : board.rows)
//         for (const std::optional<BoardChoice>& cell : row)
//             if (cell)                   // a choice; an empty cell otherwise
//                 ... cell->strName, cell->pPicture, cell->pSound, cell->crFill,
//                     cell->crFrame, cell->strBoard
//
// What a board is: the root's children are an optional title, a leaf that is not
// arranged left to right, first; then rows, containers arranged left to right, each
// holding leaves: a named leaf is a choice, an unnamed one an empty cell. At least one
// choice. The title's text is the root's name (the builder names the root so).
// A choice shows what CChoiceLink::ResourceOf gives for its name, as the choice board
// does: its link's picture and sound, else the resources of its name.
#pragma once

#include "BoardBuilder.h"

#include <optional>
#include <vector>

class CContainer;

struct BoardContents
{
    CString strTitle;   // empty: the board has no title
    // Each row's cells in order: a choice, or std::nullopt for an empty cell.
    std::vector<std::vector<std::optional<BoardChoice>>> rows;
};

// Reads the board whose tree is pRoot (NULL counts as no board) and whose resources
// are in hoard. A choice's crFill is the colour it is filled with as it draws (its own,
// that of the nearest container that fills, else the root's), its crFrame its frame's
// colour (a bevel's: the colour whose shades it draws, see BoardReader.cpp), or crFill
// when it has no frame; pPicture and pSound are resources of hoard, or NULL; strBoard is
// its link's board as stored (relative to the board's folder), or empty. The resources stay
// hoard's: contents is valid while hoard is. FALSE, with contents empty and strWhy
// saying in a few words why, when the tree is not a board.
BOOL ReadBoard(const CContainer* pRoot, CHoard& hoard, BoardContents& contents, CString& strWhy);
