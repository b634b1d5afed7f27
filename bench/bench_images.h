// Images that the benchmarks of pictures measure: a photograph-like one (smooth shades
// and noise, about 100,000 colours) and a drawing-like one (six flat colours in blocks),
// as packed 24-bit DIBs.
#pragma once

#include <windows.h>

#include <functional>

// A packed 24-bit bottom-up DIB of width x height whose pixel (x, y), counted from the
// top, is color(x, y) as 0x00RRGGBB. The caller frees it.
inline HGLOBAL MakeImage(LONG width, LONG height, const std::function<DWORD(LONG x, LONG y)>& color)
{
    const LONG cbRow = (width * 3 + 3) & ~3;
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + cbRow * height);
    auto* pHeader = static_cast<BITMAPINFOHEADER*>(::GlobalLock(hDIB));
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = width;
    pHeader->biHeight = height;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = 24;
    BYTE* pBits = reinterpret_cast<BYTE*>(pHeader + 1);
    for (LONG y = 0; y < height; ++y)
    {
        for (LONG x = 0; x < width; ++x)
        {
            const DWORD rgb = color(x, y);
            BYTE* p = pBits + (height - 1 - y) * cbRow + 3 * x;
            p[0] = BYTE(rgb), p[1] = BYTE(rgb >> 8), p[2] = BYTE(rgb >> 16);
        }
    }
    ::GlobalUnlock(hDIB);
    return hDIB;
}

// A photograph over width x height: red across, green down, blue along the diagonal, each
// with a little noise (the same for every image of one seed).
inline HGLOBAL MakePhoto(LONG width, LONG height)
{
    DWORD dwSeed = 7;
    return MakeImage(width, height, [&dwSeed, width, height](LONG x, LONG y) {
        dwSeed = dwSeed * 1664525 + 1013904223;
        const DWORD noise = dwSeed >> 28;
        return (DWORD)((((x * 255 / width) + noise) & 0xFF) << 16 | (((y * 255 / height) + noise) & 0xFF) << 8 |
                       (((x + y) * 255 / (width + height)) & 0xFF));
    });
}

// A drawing: blocks of 80 x 60 in six flat colours.
inline HGLOBAL MakeDrawing(LONG width, LONG height)
{
    return MakeImage(width, height, [](LONG x, LONG y) {
        static const DWORD colors[] = {0xFFFFFF, 0x202020, 0xE0A030, 0x3060C0, 0x40A040, 0xC03030};
        return colors[((x / 80) + (y / 60) * 3) % 6];
    });
}
