// hoardtool's commands on screen documents: the main container tree that stands ahead
// of their resources, printed, and drawn as a view draws it.
#include "BufferFile.h"
#include "Commands.h"
#include "OutputNames.h"
#include "ToolError.h"
#include "ToolFile.h"

#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/NamedPictures.h"

#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>

namespace {

// The name between double quotes, with quotes, backslashes and control characters
// escaped so that every container stays on one line.
std::string Quoted(const CString& strName)
{
    std::string str = "\"";
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        unsigned char ch = (unsigned char)strName[i];
        if (ch == '"' || ch == '\\')
        {
            str += '\\';
            str += (char)ch;
        }
        else if (ch < 0x20 || ch == 0x7F)
        {
            char szEscape[8];
            snprintf(szEscape, sizeof szEscape, "\\x%02X", ch);
            str += szEscape;
        }
        else
        {
            str += (char)ch;
        }
    }
    return str + "\"";
}

// Depth first from pContainer, children head first, two spaces a level.
void PrintTree(const CContainer* pContainer, int nDepth)
{
    const CRect& rect = pContainer->GetBounds();
    printf("%*s%s %s %ld %ld %ld %ld\n", 2 * nDepth, "", pContainer->GetRuntimeClass()->m_lpszClassName,
           Quoted(pContainer->GetName()).c_str(), rect.left, rect.top, rect.right, rect.bottom);
    const auto& children = pContainer->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        PrintTree(children.GetNext(pos), nDepth + 1);
}

void CheckScreenDocument(const char* pszPath)
{
    if (!CToolFile::CheckFile(pszPath))
        Fail("%s is a resource file, not a screen document", pszPath);
}

// The tree is read as a document reads it, which arranges every container once,
// deepest first; the resources after it are left alone.
int TreeOf(const char* pszPath)
{
    CheckScreenDocument(pszPath);
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load);
    CWndContainer* pMain = NULL;
    CMainContainerRecord(pMain).Serialize(ar);
    std::unique_ptr<CWndContainer> pOwner(pMain);
    if (pMain != NULL)
        PrintTree(pMain, 0);
    return 0;
}

// How shot draws.
struct ShotOptions
{
    CSize size;                 // (0, 0): the root's stored bounds
    int nDepth = 16;
};

ShotOptions ParseShotOptions(int argc, char** argv)
{
    ShotOptions options;
    for (int i = 0; i < argc; i += 2)
    {
        if (i + 1 == argc)
            Fail("%s: unknown option, or its value is missing", argv[i]);
        if (!ParseBufferOption(argv[i], argv[i + 1], options.size, options.nDepth))
            Fail("%s %s: unknown option or bad value (--size WxH up to %d, --depth 8|16)", argv[i], argv[i + 1],
                 nMaxBufferSide);
    }
    return options;
}

// The screen's tree is attached to a hidden window whose client area has the shot's
// size, which lays it out for that size, and drawn as a view draws it: its containers
// named as pictures of the document show them, and everything goes through an
// off-screen buffer of the shot's depth, whose pixels are the shot.
int ShotOf(const char* pszPath, const char* pszOut, const ShotOptions& options)
{
    CheckBitmapName(pszOut);
    CheckScreenDocument(pszPath);
    CHoard hoard;
    std::unique_ptr<CWndContainer> pMain(CMainContainerRecord::LoadFile(pszPath, hoard));
    if (pMain == NULL)
        Fail("%s holds no screen: its main container is null", pszPath);
    ShowNamedPictures(pMain.get(), hoard);
    const CSize size = options.size != CSize(0, 0) ? options.size : pMain->GetBounds().Size();
    if (size.cx <= 0 || size.cy <= 0 || size.cx > nMaxBufferSide || size.cy > nMaxBufferSide)
        Fail("the screen of %s is %ldx%ld: give a --size of up to %dx%d", pszPath, size.cx, size.cy, nMaxBufferSide,
             nMaxBufferSide);

    CWnd wnd;
    if (!wnd.CreateEx(0, NULL, "shot", WS_POPUP, 0, 0, size.cx, size.cy, NULL, NULL))
        Fail("cannot make a window of %ldx%ld to draw the screen in", size.cx, size.cy);
    CRect rect;
    wnd.GetClientRect(&rect);
    if (rect.Size() != size)
        Fail("a window of %ldx%ld has a client area of %dx%d", size.cx, size.cy, rect.Width(), rect.Height());
    pMain->AttachToWindow(&wnd);
    pMain->ArrangeChildren();
    {
        CClientDC dc(&wnd);
        CCanvas canvas(&dc);
        canvas.SetBounds(rect);
        CCanvasBuffer buffer;
        StartBuffer(buffer, canvas, rect, options.nDepth);
        pMain->Draw(canvas);
        WriteBufferFile(buffer, pszOut);
    }
    pMain->AttachToWindow(NULL);
    CGdiObject::DeleteTempMap();
    return 0;
}

} // namespace

int Tree(int argc, char** argv) { return TreeOf(argv[0]); }

int Shot(int argc, char** argv) { return ShotOf(argv[0], argv[1], ParseShotOptions(argc - 2, argv + 2)); }
