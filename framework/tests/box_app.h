// An application object for tests of what goes through AfxMessageBox: it answers every
// box with OK at once and keeps the boxes' texts, in order.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

class CBoxApp : public CWinApp
{
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        m_boxes.push_back(lpszPrompt);
        return IDOK;
    }
    std::vector<std::string> m_boxes;
};
