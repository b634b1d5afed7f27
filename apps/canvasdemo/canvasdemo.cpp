// canvasdemo: draws a sample canvas through an off-screen buffer and writes what reached
// the screen-side context as a 24-bit BMP, once through a 16-bit buffer and once through
// an 8-bit palette buffer as on a 256-colour display.
//
//   canvasdemo CANVAS.BMP CANVAS-8BIT.BMP
//
// The sample has filled and framed shapes, a colour gradient, text in two fonts, a clipped
// region, a nested buffer, and the 256 colours of the shared palette drawn at a moved origin.
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/ScreenDepth.h"
#include "limn/canvas/SharedPalette.h"

#include "ExceptionText.h"
#include "ScreenImage.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace {

const int nWidth = 480;
const int nHeight = 360;

CArray<CPoint, CPoint>& Star(CArray<CPoint, CPoint>& points, CPoint centre, int nRadius)
{
    static const int offsets[10][2] = {
        { 0, -100 }, { 22, -31 }, { 95, -31 }, { 36, 12 }, { 59, 81 },
        { 0, 38 }, { -59, 81 }, { -36, 12 }, { -95, -31 }, { -22, -31 },
    };
    points.RemoveAll();
    for (const auto& offset : offsets)
        points.Add(CPoint(centre.x + offset[0] * nRadius / 100, centre.y + offset[1] * nRadius / 100));
    return points;
}

void DrawShapes(CCanvas& canvas)
{
    CArray<CPoint, CPoint> points;
    canvas.SetBrush(RGB(204, 0, 0), FALSE);
    canvas.FillRectangle(CRect(20, 60, 90, 110));
    canvas.SetBrush(RGB(0, 153, 51), FALSE);
    canvas.FillEllipse(CRect(110, 60, 180, 110));
    canvas.SetBrush(RGB(51, 102, 204), FALSE);
    canvas.FillRoundRect(CRect(200, 60, 270, 110), CPoint(24, 24));
    canvas.SetBrush(RGB(255, 204, 0), FALSE);
    canvas.FillPolygon(Star(points, CPoint(325, 86), 30));

    canvas.SetPen(RGB(0, 0, 0), 3, FALSE);
    canvas.FrameRectangle(CRect(20, 125, 90, 175));
    canvas.SetPen(RGB(153, 0, 153), 1, TRUE);
    canvas.FrameEllipse(CRect(110, 125, 180, 175));
    canvas.SetPen(RGB(0, 102, 102), 2, FALSE);
    canvas.FrameRoundRect(CRect(200, 125, 270, 175), CPoint(24, 24));
    canvas.SetPen(RGB(204, 102, 0), 2, FALSE);
    canvas.FramePolygon(Star(points, CPoint(325, 151), 30));

    // Pen and hatched brush together.
    canvas.SetPen(RGB(0, 0, 128), 2, FALSE);
    canvas.SetBrush(RGB(0, 0, 128), TRUE);
    canvas.Rectangle(CRect(380, 60, 460, 175));
    canvas.SetPen(RGB(204, 0, 0), 2, FALSE);
    canvas.Line(CPoint(380, 60), CPoint(460, 175));
}

// Colours off the palette: smooth through a 16-bit buffer, in bands through an 8-bit one.
void DrawGradient(CCanvas& canvas)
{
    for (int x = 20; x < 460; ++x)
    {
        int n = (x - 20) * 255 / 439;
        canvas.FillSolidRect(CRect(x, 44, x + 1, 52), RGB(n, n / 2, 255 - n));
    }
}

// Times New Roman where the system has it, else its metric twin that Wine finds on Linux
// systems (Wine substitutes a sans-serif face for names it does not know).
const char* SerifFace(CDC& dc)
{
    CFont font;
    font.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Times New Roman");
    HGDIOBJ hOldFont = dc.SelectObject(font.m_hObject);
    char szFace[LF_FACESIZE] = "";
    ::GetTextFaceA(dc.m_hAttribDC, LF_FACESIZE, szFace);
    dc.SelectObject(hOldFont);
    return strcmp(szFace, "Times New Roman") == 0 ? "Times New Roman" : "Liberation Serif";
}

void DrawTexts(CCanvas& canvas)
{
    canvas.SetTextColor(RGB(0, 0, 0));
    canvas.SetFont(18, "Arial", TRUE, FALSE, FALSE);
    canvas.DrawText("limn canvas", CRect(0, 12, nWidth, 44), TRUE, textTransparent);

    canvas.SetFont(12, SerifFace(canvas), FALSE, FALSE, TRUE);
    canvas.DrawText("Text in a second font, wrapped at the edge of its rectangle and drawn "
                    "without a background.",
                    CRect(20, 190, 200, 260), FALSE, textTransparent);
    canvas.SetBkColor(RGB(255, 255, 153));
    canvas.DrawText("opaque, centred", CRect(20, 265, 200, 290), TRUE, textOpaque);
}

// Lines and an ellipse larger than the clip rectangle; only its inside is painted.
void DrawClipped(CCanvas& canvas)
{
    const CRect rectClip(220, 190, 320, 290);
    canvas.ClipToRect(rectClip);
    canvas.SetBrush(RGB(153, 204, 255), FALSE);
    canvas.SetPen(RGB(0, 51, 153), 4, FALSE);
    canvas.Ellipse(CRect(190, 160, 300, 270));
    canvas.SetPen(RGB(204, 0, 102), 2, FALSE);
    for (int x = 160; x < 400; x += 16)
        canvas.Line(CPoint(x, 170), CPoint(x - 60, 310));
    canvas.TurnOffClipping();
    canvas.SetPen(RGB(0, 0, 0), 1, TRUE);
    canvas.FrameRectangle(rectClip);
}

// A buffer of its own for one box, copied into the buffer beneath when done.
void DrawNested(CCanvas& canvas)
{
    const CRect rectBox(340, 190, 460, 290);
    CCanvasBuffer buffer(canvas, rectBox);
    canvas.SetBkColor(RGB(255, 255, 255));
    canvas.SetBrush(RGB(255, 255, 255), FALSE);
    canvas.FillRectangle(rectBox);
    canvas.SetBrush(RGB(102, 153, 102), TRUE);
    canvas.SetPen(RGB(0, 102, 0), 3, FALSE);
    canvas.Rectangle(rectBox);
    canvas.SetFont(10, "Arial", FALSE, FALSE, FALSE);
    canvas.DrawText("nested buffer", CRect(rectBox.left, rectBox.top + 40, rectBox.right, rectBox.bottom),
                    TRUE, textOpaque);
    buffer.Draw();
}

// The shared palette, 32 colours a row, as a group drawn at a moved origin.
void DrawPalette(CCanvas& canvas)
{
    canvas.OffsetOrigin(CPoint(20, 300));
    for (int i = 0; i < 256; ++i)
    {
        const PALETTEENTRY& entry = gLogPalette.palPalEntry[i];
        canvas.SetBrush(RGB(entry.peRed, entry.peGreen, entry.peBlue), FALSE);
        int x = (i % 32) * 13;
        int y = (i / 32) * 6;
        canvas.FillRectangle(CRect(x, y, x + 13, y + 6));
    }
    canvas.OffsetOrigin(CPoint(-20, -300));
}

void DrawSample(CDC* pDC)
{
    CCanvas canvas(pDC);
    canvas.SetBounds(CRect(0, 0, nWidth, nHeight));
    CCanvasBuffer buffer(canvas);
    canvas.SetBrush(RGB(192, 192, 192), FALSE);
    canvas.FillRectangle(CRect(0, 0, nWidth + 1, nHeight + 1));
    DrawShapes(canvas);
    DrawGradient(canvas);
    DrawTexts(canvas);
    DrawClipped(canvas);
    DrawNested(canvas);
    DrawPalette(canvas);
    buffer.Draw();
}

// nScreenBits 0 takes the depth of the real screen; 8 that of a palette display.
void WriteSample(int nScreenBits, LPCSTR lpszPath)
{
    ForceScreenBitsPerPixel(nScreenBits);
    CScreenImage image(nWidth, nHeight);
    DrawSample(&image.m_dc);
    image.WriteBitmapFile(lpszPath);
    CGdiObject::DeleteTempMap();
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc != 3)
    {
        fputs("usage: canvasdemo CANVAS.BMP CANVAS-8BIT.BMP\n", stderr);
        return 2;
    }
    try
    {
        WriteSample(0, argv[1]);
        WriteSample(8, argv[2]);
    }
    catch (CException* e)
    {
        fprintf(stderr, "canvasdemo: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
        return 1;
    }
    CCanvas::Flush();
    return 0;
}
