// Helpers of the media library's tests: the DLLs loaded by name as programs load them,
// picture handles, 32-bit surfaces that GDI draws into, and JPEG data made with WIC's
// own encoder.
#pragma once

#include "media/MediaEntry.h"

#include "media/pict/PictWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// A media DLL loaded for one test and unloaded after it, with its dispatcher.
class CMediaModule
{
public:
    explicit CMediaModule(const char* pszName);
    ~CMediaModule();
    CMediaModule(const CMediaModule&) = delete;
    CMediaModule& operator=(const CMediaModule&) = delete;

    HMODULE Handle() const { return m_hModule; }
    FARPROC Export(const char* pszName) const { return ::GetProcAddress(m_hModule, pszName); }
    LONG_PTR Call(WORD nRoutine, LONG_PTR a1 = 0, LONG_PTR a2 = 0, LONG_PTR a3 = 0, LONG_PTR a4 = 0) const
    {
        return m_pEntry(nRoutine, a1, a2, a3, a4);
    }

private:
    HMODULE m_hModule;
    MEDIAENTRYPROC m_pEntry;
};

// QTIM32.DLL loaded and initialised (routine 57) for one test, terminated after it.
class CQtim : public CMediaModule
{
public:
    CQtim();
    ~CQtim();

    LONG_PTR Draw(HDC hdc, HGLOBAL hPict, const RECT& rcDst) const;
    HGLOBAL ToDIB(HGLOBAL hPict) const;
};

// CMGR32.DLL loaded and initialised for one test, terminated and unloaded after it.
class CCmgr : public CMediaModule
{
public:
    CCmgr();
    ~CCmgr();
};

// A global handle freed at the end of its scope.
class CGlobal
{
public:
    explicit CGlobal(HGLOBAL h = NULL) : m_h(h) {}
    ~CGlobal()
    {
        if (m_h != NULL)
            ::GlobalFree(m_h);
    }
    CGlobal(const CGlobal&) = delete;
    CGlobal& operator=(const CGlobal&) = delete;

    HGLOBAL Get() const { return m_h; }

private:
    HGLOBAL m_h;
};

// A direct image of the pixels (0x00RRGGBB, rows top-down), and where a picture puts it.
pict::Image ImageOf(int32_t width, int32_t height, std::vector<uint32_t> pixels);
pict::Placement PlacedAt(const pict::Rect& src, const pict::Rect& dst);

// A movable, unlocked global block holding the bytes: a picture handle.
HGLOBAL PictureHandleOf(const std::vector<uint8_t>& bytes);

// A packed DIB's pixel at (x, y) counted from the top, as 0x00RRGGBB; for the bottom-up
// DIBs that routine 46 makes, of 24 bits or of 8 bits with a colour table.
uint32_t DIBPixel(HGLOBAL hDIB, int x, int y);

// A memory DC with a 32-bit top-down DIB section of the size selected, filled with
// fill (0x00RRGGBB).
class CSurface
{
public:
    CSurface(int width, int height, uint32_t fill);
    ~CSurface();
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    HDC DC() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hbm; }
    // The pixel as 0x00RRGGBB.
    uint32_t Pixel(int x, int y) const;
    // Pixels outside rc that are not `fill`.
    int CountChangedOutside(const RECT& rc, uint32_t fill) const;

private:
    int m_width;
    int m_height;
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_hbmOld;
    uint32_t* m_pBits;
};

// Each channel of two 0x00RRGGBB colours within tolerance of each other.
bool NearColor(uint32_t a, uint32_t b, int tolerance);

// A baseline JPEG of width x height pixels whose left half is `left` and right half
// `right` (0x00RRGGBB), written by WIC's JPEG encoder.
std::vector<uint8_t> MakeJpeg(int width, int height, uint32_t left, uint32_t right);
