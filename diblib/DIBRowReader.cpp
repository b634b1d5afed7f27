// Row decoding. Bit-field channels narrower than 8 bits repeat their bits to fill the
// byte (5 bits abcde give abcdeabc), so that full channels stay full; wider ones keep
// their top 8 bits.
#include "diblib/DIBRowReader.h"

#include "diblib/DIBRle.h"

#include <string.h>

namespace {

// BI_RGB at 16 and 32 bits, as bit fields.
const DWORD g_rgb555Masks[3] = { 0x7C00, 0x03E0, 0x001F };
const DWORD g_rgb888Masks[3] = { 0xFF0000, 0x00FF00, 0x0000FF };

} // namespace

CDIBRowReader::CDIBRowReader(const DIBLAYOUT& layout)
    : m_info(layout.info), m_pBits(layout.pBits), m_colorTable()
{
    const DIBHEADER& header = layout.header;
    for (DWORD i = 0; i < m_info.nColors && i < 256; ++i)
    {
        const BYTE* pEntry = layout.pColors + i * header.cbColorEntry;
        m_colorTable[i] = pEntry[0] | (pEntry[1] << 8) | (pEntry[2] << 16);
    }

    const DWORD* pMasks = header.dwCompression == BI_BITFIELDS ? header.masks
                        : m_info.wBitCount == 16             ? g_rgb555Masks
                                                             : g_rgb888Masks;
    for (int i = 0; i < 3; ++i)
        InitChannel(m_channels[i], pMasks[i]);

    if (IsIndexed())
        m_rowIndices.resize((size_t)m_info.nWidth);
    if (IsRLE(m_info.dwCompression))
    {
        m_expanded.assign((size_t)m_info.nWidth * (size_t)m_info.nHeight, 0);
        RLEIMAGE image = { m_pBits, m_info.cbBits, m_info.wBitCount, m_info.nWidth, m_info.nHeight };
        ExpandRLE(image, m_expanded.data());
    }
}

void CDIBRowReader::InitChannel(CHANNEL& channel, DWORD dwMask)
{
    channel.dwMask = dwMask;
    channel.nShift = __builtin_ctz(dwMask);
    channel.nBits = __builtin_popcount(dwMask);
    if (channel.nBits > 8)
        return;
    for (DWORD v = 0; v < (1u << channel.nBits); ++v)
    {
        DWORD dw = v << (8 - channel.nBits);
        for (int nFilled = channel.nBits; nFilled < 8; nFilled *= 2)
            dw |= dw >> nFilled;
        channel.expand[v] = (BYTE)dw;
    }
}

inline BYTE CDIBRowReader::ChannelValue(const CHANNEL& channel, DWORD dwPixel) const
{
    DWORD v = (dwPixel & channel.dwMask) >> channel.nShift;
    return channel.nBits <= 8 ? channel.expand[v] : (BYTE)(v >> (channel.nBits - 8));
}

const BYTE* CDIBRowReader::RowAddress(LONG y) const
{
    LONG nStored = m_info.bTopDown ? y : m_info.nHeight - 1 - y;
    return m_pBits + (SIZE_T)nStored * m_info.cbRow;
}

void CDIBRowReader::ReadIndices(LONG y, BYTE* pIndices) const
{
    const LONG nWidth = m_info.nWidth;
    if (!m_expanded.empty())
    {
        memcpy(pIndices, m_expanded.data() + (SIZE_T)y * (SIZE_T)nWidth, (SIZE_T)nWidth);
        return;
    }
    const BYTE* pRow = RowAddress(y);
    switch (m_info.wBitCount)
    {
    case 1:
        for (LONG x = 0; x < nWidth; ++x)
            pIndices[x] = (pRow[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    case 4:
        for (LONG x = 0; x < nWidth; ++x)
            pIndices[x] = (x & 1) ? (pRow[x >> 1] & 0x0F) : (pRow[x >> 1] >> 4);
        break;
    default:
        memcpy(pIndices, pRow, (SIZE_T)nWidth);
        break;
    }
}

void CDIBRowReader::ReadColors(LONG y, DWORD* pColors)
{
    const LONG nWidth = m_info.nWidth;
    if (IsIndexed())
    {
        ReadIndices(y, m_rowIndices.data());
        for (LONG x = 0; x < nWidth; ++x)
            pColors[x] = m_colorTable[m_rowIndices[x]];
        return;
    }

    const BYTE* pRow = RowAddress(y);
    if (m_info.wBitCount == 24)
    {
        for (LONG x = 0; x < nWidth; ++x, pRow += 3)
            pColors[x] = pRow[0] | (pRow[1] << 8) | (pRow[2] << 16);
        return;
    }
    const UINT cbPixel = m_info.wBitCount / 8;
    for (LONG x = 0; x < nWidth; ++x, pRow += cbPixel)
    {
        DWORD dwPixel = cbPixel == 2 ? PeekWord(pRow) : PeekDword(pRow);
        pColors[x] = ChannelValue(m_channels[2], dwPixel) | (ChannelValue(m_channels[1], dwPixel) << 8)
                   | (ChannelValue(m_channels[0], dwPixel) << 16);
    }
}
