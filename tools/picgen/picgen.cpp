// picgen: writes the demo's sample pictures, generated rather than drawn by hand.
//
//   picgen FOLDER
//
// Writes landscape.bmp (24 bits, a photo-like scene of smooth gradients), house.bmp
// (1 bit, a black line drawing on white) and sun.bmp (8 bits, an icon on a light
// background that a transparent background removes); the landscape again as Macintosh
// pictures and as a JPEG, a Macintosh picture drawn with shapes, and a sun with a
// transparent background as a PNG (Samples.h).
#include "ExceptionText.h"
#include "Image.h"
#include "Samples.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace {

BYTE Clamp(double d) { return (BYTE)std::min(255.0, std::max(0.0, d)); }

COLORREF Blend(COLORREF a, COLORREF b, double t)
{
    return RGB(Clamp(GetRValue(a) + (GetRValue(b) - GetRValue(a)) * t), Clamp(GetGValue(a) + (GetGValue(b) - GetGValue(a)) * t),
               Clamp(GetBValue(a) + (GetBValue(b) - GetBValue(a)) * t));
}

// Sky fading to the horizon, a soft sun, two ranges of hills and a lake.
CImage MakeLandscape()
{
    CImage image(192, 128, 24);
    image.Fill([](int x, int y) {
        double hill1 = 78 + 12 * sin(x / 23.0) + 6 * sin(x / 7.0 + 1);
        double hill2 = 92 + 8 * sin(x / 31.0 + 2) + 4 * sin(x / 11.0);
        double dSun = hypot(x - 140.0, y - 34.0);
        if (y > 108)
            return Blend(RGB(40, 90, 160), RGB(120, 170, 220), (y - 108) / 20.0 * 0.5 + 0.1 * sin(x / 5.0 + y));
        if (y > hill2)
            return Blend(RGB(70, 140, 40), RGB(20, 70, 20), (y - hill2) / 30.0);
        if (y > hill1)
            return Blend(RGB(90, 110, 150), RGB(60, 90, 70), (y - hill1) / 25.0);
        COLORREF sky = Blend(RGB(40, 90, 200), RGB(250, 210, 160), y / 90.0);
        if (dSun < 14)
            return RGB(255, 244, 200);
        if (dSun < 30)
            return Blend(RGB(255, 230, 170), sky, (dSun - 14) / 16);
        return sky;
    });
    return image;
}

// A house with a door, a window and a chimney, and a tree: black lines on white.
void WriteHouse(const CString& strFolder)
{
    CImage image(160, 120, 1, { { 0, 0, 0, 0 }, { 255, 255, 255, 0 } });
    image.Fill([](int, int) { return 1u; });
    const double w = 2.5;
    image.Line(20, 60, 100, 60, w, 0);
    image.Line(20, 60, 60, 25, w, 0);
    image.Line(60, 25, 100, 60, w, 0);
    image.Line(25, 60, 25, 110, w, 0);
    image.Line(95, 60, 95, 110, w, 0);
    image.Line(10, 110, 150, 110, w, 0);
    image.Line(52, 110, 52, 80, w, 0);
    image.Line(52, 80, 68, 80, w, 0);
    image.Line(68, 80, 68, 110, w, 0);
    image.Line(32, 70, 46, 70, w, 0);
    image.Line(46, 70, 46, 84, w, 0);
    image.Line(46, 84, 32, 84, w, 0);
    image.Line(32, 84, 32, 70, w, 0);
    image.Line(80, 38, 80, 24, w, 0);
    image.Line(80, 24, 88, 24, w, 0);
    image.Line(88, 24, 88, 45, w, 0);
    image.Line(128, 110, 128, 80, w, 0);
    for (int i = 0; i < 72; ++i)
    {
        double a = i * 3.14159265358979 / 36;
        image.Set((int)(128 + 20 * cos(a)), (int)(62 + 22 * sin(a)), 0);
        image.Set((int)(128 + 19 * cos(a)), (int)(62 + 21 * sin(a)), 0);
    }
    image.Write(strFolder + "\\house.bmp");
}

// A sun with rays on a light cream background, in a colour table of its own.
void WriteSun(const CString& strFolder)
{
    enum { cream, yellow, orange, red, brown };
    CImage image(64, 64, 8,
                 { { 232, 248, 255, 0 }, { 40, 220, 255, 0 }, { 20, 150, 250, 0 }, { 30, 40, 210, 0 }, { 20, 50, 100, 0 } });
    image.Fill([](int, int) { return (DWORD)cream; });
    for (int i = 0; i < 12; ++i)
    {
        double a = i * 3.14159265358979 / 6;
        image.Line(32 + 18 * cos(a), 32 + 18 * sin(a), 32 + 29 * cos(a), 32 + 29 * sin(a), 4, orange);
    }
    image.Disc(32, 32, 18, brown);
    image.Disc(32, 32, 16, yellow);
    image.Disc(25, 27, 2.5, brown);
    image.Disc(39, 27, 2.5, brown);
    image.Line(24, 38, 32, 43, 2, red);
    image.Line(32, 43, 40, 38, 2, red);
    image.Write(strFolder + "\\sun.bmp");
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc != 2)
    {
        fputs("usage: picgen FOLDER\n", stderr);
        return 2;
    }
    try
    {
        CString strFolder = argv[1];
        const CImage landscape = MakeLandscape();
        landscape.Write(strFolder + "\\landscape.bmp");
        WriteMacPictures(strFolder, landscape);
        WriteCodecPictures(strFolder, landscape);
        WriteHouse(strFolder);
        WriteSun(strFolder);
    }
    catch (CException* e)
    {
        fprintf(stderr, "picgen: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
        return 1;
    }
    catch (const std::exception& e)
    {
        fprintf(stderr, "picgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
