// The place of the "back" choice that a board reached through a link gains: first among
// the screen's children, so that scanning offers it first, in a strip of its own that
// the screen grows by, so that the board's own containers keep their sizes: along the
// top of a screen that stacks its children or places them itself, down the left side of
// one that lays them out in a row. The choice belongs to the showing of the board, not
// to its file: a save writes the screen without it (CBackChoiceAside), and a printed
// board leaves it out.
#pragma once

class CContainer;
class CWndContainer;

// Frames and fills pBack, a container not yet in a tree, and puts it first on pRoot's
// screen, which takes it.
void PlaceBackChoice(CWndContainer* pRoot, CContainer* pBack);

// Takes the "back" choice that PlaceBackChoice put on a screen out of it, and its strip
// with it, for as long as it lives; then puts them back.
class CBackChoiceAside
{
public:
    CBackChoiceAside(CWndContainer* pRoot, CContainer* pBack);
    ~CBackChoiceAside();
    CBackChoiceAside(const CBackChoiceAside&) = delete;
    CBackChoiceAside& operator=(const CBackChoiceAside&) = delete;

private:
    CWndContainer* m_pRoot;
    CContainer* m_pBack;
};
