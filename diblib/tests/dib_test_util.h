// Helpers of the diblib tests: owned DIB handles, hand-made packed DIBs, the BMP test
// files of the shared test data, and 32-bit surfaces that Wine's GDI draws into.
#pragma once

#include "diblib/dibapi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

// A DIB handle freed at the end of its scope.
class CDIBHandle
{
public:
    explicit CDIBHandle(HGLOBAL h = NULL) : m_h(h) {}
    ~CDIBHandle() { Reset(NULL); }
    CDIBHandle(const CDIBHandle&) = delete;
    CDIBHandle& operator=(const CDIBHandle&) = delete;

    void Reset(HGLOBAL h)
    {
        if (m_h != NULL)
            ::GlobalFree(m_h);
        m_h = h;
    }
    HGLOBAL Get() const { return m_h; }
    explicit operator bool() const { return m_h != NULL; }

private:
    HGLOBAL m_h;
};

// A lock on a DIB handle, as the bytes of a packed DIB.
class CDIBLock
{
public:
    explicit CDIBLock(HGLOBAL h) : m_h(h), m_p(static_cast<BYTE*>(::GlobalLock(h))) {}
    ~CDIBLock() { ::GlobalUnlock(m_h); }
    CDIBLock(const CDIBLock&) = delete;
    CDIBLock& operator=(const CDIBLock&) = delete;

    BYTE* Bytes() const { return m_p; }
    LPSTR Str() const { return reinterpret_cast<LPSTR>(m_p); }
    const BITMAPINFOHEADER& Header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(m_p); }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(m_p); }
    const RGBQUAD* Colors() const { return reinterpret_cast<const RGBQUAD*>(m_p + Header().biSize); }
    BYTE* Bits() const { return reinterpret_cast<BYTE*>(FindDIBBits(Str())); }

private:
    HGLOBAL m_h;
    BYTE* m_p;
};

// A movable block holding the bytes.
inline HGLOBAL BlockOf(const std::vector<BYTE>& bytes)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    return h;
}

// A packed DIB with a BITMAPINFOHEADER, made field by field.
struct DIBSPEC
{
    LONG nWidth = 1;
    LONG nHeight = 1;
    WORD wBitCount = 8;
    DWORD dwCompression = BI_RGB;
    DWORD dwClrUsed = 0;
    DWORD dwSizeImage = 0;
    std::vector<DWORD> masks;    // after the header
    std::vector<RGBQUAD> colors; // the colour table
    std::vector<BYTE> bits;
};

inline std::vector<BYTE> PackDIB(const DIBSPEC& spec)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = spec.nWidth;
    header.biHeight = spec.nHeight;
    header.biPlanes = 1;
    header.biBitCount = spec.wBitCount;
    header.biCompression = spec.dwCompression;
    header.biSizeImage = spec.dwSizeImage;
    header.biClrUsed = spec.dwClrUsed;
    std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(&header), reinterpret_cast<const BYTE*>(&header + 1));
    auto append = [&bytes](const void* p, size_t cb) {
        bytes.insert(bytes.end(), static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + cb);
    };
    append(spec.masks.data(), spec.masks.size() * sizeof(DWORD));
    append(spec.colors.data(), spec.colors.size() * sizeof(RGBQUAD));
    append(spec.bits.data(), spec.bits.size());
    return bytes;
}

// A bitmap file: a BITMAPFILEHEADER whose offset points right after the packed DIB's
// header and table (cbTable bytes of them after the header), then the DIB.
inline std::vector<BYTE> FileOf(const std::vector<BYTE>& dib, DWORD cbBeforeBits)
{
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfSize = (DWORD)(sizeof fileHeader + dib.size());
    fileHeader.bfOffBits = (DWORD)(sizeof fileHeader + cbBeforeBits);
    std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(&fileHeader),
                            reinterpret_cast<const BYTE*>(&fileHeader + 1));
    bytes.insert(bytes.end(), dib.begin(), dib.end());
    return bytes;
}

inline RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return { b, g, r, 0 }; }

// ReadDIBFile over bytes in memory.
inline HDIB ReadDIBBytes(std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    return ReadDIBFile(file, 0);
}

// The folder of the shared test data's BMP files of one set ("g", "q" or "b"); empty
// when the shared data is not there.
inline std::string SuiteDir(const char* pszSet)
{
    const char* pszShared = getenv("SHARED_DIR");
    if (pszShared == NULL)
        return std::string();
    std::string strDir = std::string(pszShared) + "/testdata/bmpsuite/" + pszSet;
    DWORD dwAttributes = ::GetFileAttributesA(strDir.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) ? strDir
                                                                                                   : std::string();
}

// The names of the ".bmp" files of a folder, sorted.
inline std::vector<std::string> BmpFiles(const std::string& strDir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA((strDir + "/*.bmp").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(data.cFileName);
    while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    std::sort(names.begin(), names.end());
    return names;
}

inline std::vector<BYTE> LoadBytes(const std::string& strPath)
{
    std::vector<BYTE> bytes;
    FILE* pFile = fopen(strPath.c_str(), "rb");
    if (pFile == NULL)
        return bytes;
    BYTE buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pFile)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(pFile);
    return bytes;
}

#define SKIP_WITHOUT_SUITE(strDir)                                                          \
    if ((strDir).empty())                                                                   \
    GTEST_SKIP() << "the BMP test images are not there (SHARED_DIR/testdata/bmpsuite)"

// A top-down DIB section of 32 or 16 (RGB555) bits per pixel in a memory DC.
class CSurface
{
public:
    CSurface(LONG nWidth, LONG nHeight, WORD wBitCount = 32) : m_nWidth(nWidth), m_nHeight(nHeight), m_wBitCount(wBitCount)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = nWidth;
        bmi.bmiHeader.biHeight = -nHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = wBitCount;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = NULL;
        m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        m_pBits = static_cast<BYTE*>(pBits);
        m_hDC = ::CreateCompatibleDC(NULL);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~CSurface()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteDC(m_hDC);
        ::DeleteObject(m_hBitmap);
    }
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    // Every pixel set to a 0x00RRGGBB colour, in RGB555 on a 16-bit surface.
    void Fill(DWORD rgb)
    {
        LONG cbRow = (m_nWidth * m_wBitCount + 31) / 32 * 4;
        for (LONG y = 0; y < m_nHeight; ++y)
        {
            for (LONG x = 0; x < m_nWidth; ++x)
            {
                BYTE* p = m_pBits + y * cbRow + x * (m_wBitCount / 8);
                if (m_wBitCount == 32)
                    *reinterpret_cast<DWORD*>(p) = rgb;
                else
                    *reinterpret_cast<WORD*>(p) = (WORD)(((rgb >> 9) & 0x7C00) | ((rgb >> 6) & 0x03E0) | ((rgb >> 3) & 0x1F));
            }
        }
    }
    // The whole image of a packed DIB drawn at (0, 0) by SetDIBitsToDevice.
    int Draw(const BITMAPINFO* pInfo, const void* pBits, LONG nRows)
    {
        int n = ::SetDIBitsToDevice(m_hDC, 0, 0, m_nWidth, m_nHeight, 0, 0, 0, nRows, pBits, pInfo, DIB_RGB_COLORS);
        ::GdiFlush();
        return n;
    }
    // The pixel at (x, y) from the top: 0x00RRGGBB for 32 bits, the RGB555 word for 16.
    DWORD At(LONG x, LONG y) const
    {
        LONG cbRow = (m_nWidth * m_wBitCount + 31) / 32 * 4;
        const BYTE* p = m_pBits + y * cbRow + x * (m_wBitCount / 8);
        return m_wBitCount == 32 ? *reinterpret_cast<const DWORD*>(p) & 0xFFFFFF : *reinterpret_cast<const WORD*>(p);
    }

private:
    LONG m_nWidth;
    LONG m_nHeight;
    WORD m_wBitCount;
    HBITMAP m_hBitmap;
    HDC m_hDC;
    HGDIOBJ m_hOld;
    BYTE* m_pBits;
};

// Pixel (x, y) from the top of a bottom-up BI_RGB DIB of 8, 16, 24 or 32 bits, as the
// index, the RGB555 word or the 0x00RRGGBB colour.
inline DWORD PixelOf(const CDIBLock& dib, LONG x, LONG y)
{
    const BITMAPINFOHEADER& h = dib.Header();
    LONG cbRow = (h.biWidth * h.biBitCount + 31) / 32 * 4;
    const BYTE* p = dib.Bits() + (h.biHeight - 1 - y) * cbRow + x * (h.biBitCount / 8);
    switch (h.biBitCount)
    {
    case 8:
        return p[0];
    case 16:
        return p[0] | (p[1] << 8);
    default:
        return p[0] | (p[1] << 8) | (p[2] << 16);
    }
}
