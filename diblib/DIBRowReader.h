// Decoding the rows of a valid packed DIB of any supported format: colour indices for
// palette images, 0x00RRGGBB colours for all. Rows are counted from the top.
#pragma once

#include "diblib/DIBValidate.h"

#include <vector>

class CDIBRowReader
{
public:
    // layout: what GetDIBLayout gave; its bytes must outlive this object. A run-length
    // stream is expanded here (pixels it leaves unset are index 0), which may throw
    // std::bad_alloc.
    explicit CDIBRowReader(const DIBLAYOUT& layout);
    CDIBRowReader(const CDIBRowReader&) = delete;
    CDIBRowReader& operator=(const CDIBRowReader&) = delete;

// Attributes
    LONG GetWidth() const { return m_info.nWidth; }
    LONG GetHeight() const { return m_info.nHeight; }
    // Up to 8 bits per pixel: the pixels are indices into the colour table.
    BOOL IsIndexed() const { return m_info.wBitCount <= 8; }
    // Entries that an index of this bit count can reach: 1 << bits, or 0 above 8 bits.
    UINT GetIndexRange() const { return IsIndexed() ? 1u << m_info.wBitCount : 0; }
    // The colour table as 0x00RRGGBB values; black past the DIB's own entries.
    const DWORD* GetColorTable() const { return m_colorTable; }

// Operations
    // GetWidth() colour indices of row y (IsIndexed only).
    void ReadIndices(LONG y, BYTE* pIndices) const;
    // GetWidth() colours of row y as 0x00RRGGBB values.
    void ReadColors(LONG y, DWORD* pColors);

private:
    // How one bit-field mask gives an 8-bit channel.
    struct CHANNEL
    {
        DWORD dwMask;
        int nShift;       // of the mask's lowest bit
        int nBits;        // in the mask
        BYTE expand[256]; // value to 8 bits, for masks of 8 bits or fewer
    };
    static void InitChannel(CHANNEL& channel, DWORD dwMask);
    BYTE ChannelValue(const CHANNEL& channel, DWORD dwPixel) const;

    const BYTE* RowAddress(LONG y) const;

    DIBINFO m_info;
    const BYTE* m_pBits;
    std::vector<BYTE> m_expanded; // a run-length image's indices, top row first
    std::vector<BYTE> m_rowIndices;
    DWORD m_colorTable[256];
    CHANNEL m_channels[3];        // red, green, blue: 16 and 32 bits per pixel
};
