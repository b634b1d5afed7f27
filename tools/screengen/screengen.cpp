// screengen: writes a sample screen document, a container tree (a title, a row of three
// framed buttons, a status line) followed by the resources of a resource file when one
// is given. The demo and hoardtool's tests read it.
//
//   screengen OUT [RESOURCES]
#include "limn/containers/Container3DFrame.h"
#include "limn/containers/MainContainerRecord.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"

#include "ExceptionText.h"

#include <stdio.h>

#include <memory>

namespace {

CContainer* NewChild(CContainer* pParent, const char* pszName, ArrangeMethod method)
{
    auto* pChild = new CContainer(pParent, method);
    pChild->SetName(pszName);
    return pChild;
}

CWndContainer* NewSampleScreen()
{
    auto* pRoot = new CWndContainer;
    pRoot->SetName("sample screen");
    pRoot->SetArrangeMethod(arrangeVertical);
    pRoot->SetChildGap(CSize(8, 8));

    CContainer* pTitle = NewChild(pRoot, "title", arrangeNone);
    pTitle->SetPreferredSize(CSize(-1, 48));
    pTitle->SetFillColor(RGB(255, 255, 204));
    pTitle->SetFrame(new CContainer3DFrame(RGB(192, 192, 192), 4, 0, 130, 130, 60, 60));

    CContainer* pButtons = NewChild(pRoot, "buttons", arrangeHorizontal);
    pButtons->SetChildGap(CSize(12, 12));
    const struct
    {
        const char* pszName;
        COLORREF color;
    } buttons[] = { { "play", RGB(0, 204, 0) }, { "stop", RGB(204, 0, 0) }, { "next", RGB(0, 0, 204) } };
    for (const auto& b : buttons)
    {
        CContainer* pButton = NewChild(pButtons, b.pszName, arrangeNone);
        pButton->SetMinimumSize(CSize(80, 60));
        pButton->SetFillColor(b.color);
        pButton->SetFrame(new CContainerFrame(2, RGB(0, 0, 0)));
    }

    CContainer* pStatus = NewChild(pRoot, "status", arrangeNone);
    pStatus->SetPreferredSize(CSize(-1, 32));
    pRoot->SetBounds(CRect(0, 0, 640, 480));
    return pRoot;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
    {
        fputs("usage: screengen OUT [RESOURCES]\n", stderr);
        return 2;
    }
    CResourceClass::InitResourceClasses();
    try
    {
        CHoard hoard;
        if (argc == 3)
            hoard.LoadFromFile(argv[2]);
        std::unique_ptr<CWndContainer> pScreen(NewSampleScreen());
        CMainContainerRecord::SaveFile(argv[1], pScreen.get(), hoard);
    }
    catch (CException* e)
    {
        fprintf(stderr, "screengen: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
        return 1;
    }
    return 0;
}
