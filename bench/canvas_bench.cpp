// The canvas: cached drawing tools and off-screen buffers.
//
//   tools:  SetPen, SetBrush and SetFont with descriptions already cached, against a bare
//           SelectObject of the same objects, which any call that really selects must make
//           (target: at most 1.25 times its time), and against creating, selecting,
//           deselecting and deleting the object each time
//   draw:   10,000 small rectangles into an 8-bit and a 16-bit buffer and the blit of
//           the buffer to a window, against drawing them straight to the window's
//           device context
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/ScreenDepth.h"

#include "timing.h"

#include <stdio.h>

namespace {

const int nCalls = 20000;
const int nKinds = 8;           // descriptions cycled through
const int nRounds = 7;
const int nRectangles = 10000;
const int nWidth = 640;
const int nHeight = 480;

COLORREF Colour(int i) { return RGB(40 * i, 255 - 30 * i, 17 * i); }

// Selects a newly created object, puts the old one back and deletes the new one.
void CreateSelectDelete(HDC hDC, HGDIOBJ hObject)
{
    HGDIOBJ hOld = ::SelectObject(hDC, hObject);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hObject);
}

// The best of nRounds for a cached Set... call and for a bare SelectObject of the objects
// it selects, taken in turns so that both meet the same load on the machine.
struct CToolTimes
{
    double dCached = 1e30;
    double dBare = 1e30;
};

template <class TSet>
CToolTimes TimeTool(HDC hDC, const HGDIOBJ* phObjects, TSet set)
{
    CToolTimes times;
    for (int nRound = 0; nRound < nRounds; ++nRound)
    {
        times.dCached = std::min(times.dCached, Seconds([&] {
            for (int i = 0; i < nCalls; ++i)
                set(i % nKinds);
        }));
        times.dBare = std::min(times.dBare, Seconds([&] {
            for (int i = 0; i < nCalls; ++i)
                ::SelectObject(hDC, phObjects[i % nKinds]);
        }));
    }
    return times;
}

void Report(const char* pszWhat, const CToolTimes& times, double dPeer)
{
    printf("%-34s %5.2fx a bare select (%.3f us against %.3f us), %5.1fx faster than "
           "create/select/delete (%.3f us)\n",
           pszWhat, times.dCached / times.dBare, times.dCached * 1e6 / nCalls,
           times.dBare * 1e6 / nCalls, dPeer / times.dCached, dPeer * 1e6 / nCalls);
}

void BenchTools(CDC& dc)
{
    CCanvas canvas(&dc);
    HGDIOBJ hPens[nKinds], hBrushes[nKinds], hFonts[nKinds];
    for (int i = 0; i < nKinds; ++i)
    {
        canvas.SetPen(Colour(i), 1, FALSE);
        canvas.SetBrush(Colour(i), FALSE);
        canvas.SetFont((WORD)(8 + i), "Arial", FALSE, FALSE, FALSE);
        hPens[i] = ::GetCurrentObject(canvas.m_hDC, OBJ_PEN);
        hBrushes[i] = ::GetCurrentObject(canvas.m_hDC, OBJ_BRUSH);
        hFonts[i] = ::GetCurrentObject(canvas.m_hDC, OBJ_FONT);
    }

    CToolTimes pen = TimeTool(canvas.m_hDC, hPens, [&](int i) { canvas.SetPen(Colour(i), 1, FALSE); });
    double dPenPeer = Best(5, [&] {
        for (int i = 0; i < nCalls; ++i)
        {
            CLogPen key(Colour(i % nKinds) | 0x02000000, 1, FALSE);
            CreateSelectDelete(canvas.m_hDC, key.Create());
        }
    });
    Report("SetPen, cached", pen, dPenPeer);

    CToolTimes brush = TimeTool(canvas.m_hDC, hBrushes, [&](int i) { canvas.SetBrush(Colour(i), FALSE); });
    double dBrushPeer = Best(5, [&] {
        for (int i = 0; i < nCalls; ++i)
        {
            COLORREF color = ::GetNearestColor(canvas.m_hDC, Colour(i % nKinds) | 0x02000000);
            CLogBrush key(color | 0x02000000, FALSE);
            CreateSelectDelete(canvas.m_hDC, key.Create());
        }
    });
    Report("SetBrush, cached", brush, dBrushPeer);

    CToolTimes font = TimeTool(canvas.m_hDC, hFonts, [&](int i) {
        canvas.SetFont((WORD)(8 + i), "Arial", FALSE, FALSE, FALSE);
    });
    double dFontPeer = Best(3, [&] {
        for (int i = 0; i < nCalls / 10; ++i)
        {
            CLogFont key(-::MulDiv(8 + i % nKinds, 96, 72), "Arial", FALSE, FALSE, FALSE);
            CreateSelectDelete(canvas.m_hDC, key.Create());
        }
    }) * 10;
    Report("SetFont, cached", font, dFontPeer);
}

void DrawRectangles(CCanvas& canvas)
{
    DWORD dwSeed = 12345;
    for (int i = 0; i < nRectangles; ++i)
    {
        dwSeed = dwSeed * 1103515245 + 12345;
        int x = (int)((dwSeed >> 8) % (nWidth - 12));
        int y = (int)((dwSeed >> 20) % (nHeight - 12));
        canvas.SetPen(Colour(i % nKinds), 1, FALSE);
        canvas.SetBrush(Colour((i + 3) % nKinds), FALSE);
        canvas.Rectangle(CRect(x, y, x + 12, y + 12));
    }
}

double DrawBuffered(CDC& dcWindow, int nScreenBits)
{
    ForceScreenBitsPerPixel(nScreenBits);
    double dSeconds = Best(5, [&] {
        CCanvas canvas(&dcWindow);
        canvas.SetBounds(CRect(0, 0, nWidth, nHeight));
        CCanvasBuffer buffer(canvas);
        DrawRectangles(canvas);
        buffer.Draw();
        ::GdiFlush();
    });
    ForceScreenBitsPerPixel(0);
    return dSeconds;
}

void BenchDrawing()
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "canvas bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                  nWidth, nHeight, NULL, NULL, NULL, NULL);
    CWnd wnd;
    wnd.Attach(hWnd);
    CClientDC dcWindow(&wnd);

    double dDirect = Best(5, [&] {
        CCanvas canvas(&dcWindow);
        canvas.SetBounds(CRect(0, 0, nWidth, nHeight));
        DrawRectangles(canvas);
        ::GdiFlush();
    });
    double d8 = DrawBuffered(dcWindow, 8);
    double d16 = DrawBuffered(dcWindow, 0);
    printf("%-46s %5.1fx  (%.1f ms against %.1f ms straight to the window)\n",
           "10,000 rectangles, 8-bit buffer and blit", dDirect / d8, d8 * 1e3, dDirect * 1e3);
    printf("%-46s %5.1fx  (%.1f ms against %.1f ms straight to the window)\n",
           "10,000 rectangles, 16-bit buffer and blit", dDirect / d16, d16 * 1e3, dDirect * 1e3);
}

} // namespace

int main()
{
    CDC dc;
    dc.Attach(::CreateCompatibleDC(NULL));
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 64;
    bmi.bmiHeader.biHeight = 64;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOldBitmap = dc.SelectObject(hBitmap);

        BenchTools(dc);
    BenchDrawing();

    dc.SelectObject(hOldBitmap);
    ::DeleteObject(hBitmap);
    CCanvas::Flush();
    return 0;
}
