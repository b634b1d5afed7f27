// Picture files made byte by byte for the ReadImageFile tests, in the kinds that the
// system's encoders do not write: PNGs of any colour type, depth and interlacing (their
// data in stored deflate blocks), and GIFs with a transparent colour or several frames;
// and good files damaged.
#pragma once

#include <windows.h>

#include <algorithm>

#include <string>
#include <vector>

inline void AppendBigEndian(std::vector<BYTE>& bytes, DWORD n)
{
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        bytes.push_back((BYTE)(n >> nShift));
}

inline DWORD Crc32(const BYTE* p, size_t cb)
{
    DWORD crc = 0xFFFFFFFF;
    for (size_t i = 0; i < cb; ++i)
    {
        crc ^= p[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

inline void AppendPngChunk(std::vector<BYTE>& png, const char* pszType, const std::vector<BYTE>& data)
{
    AppendBigEndian(png, (DWORD)data.size());
    const size_t nStart = png.size();
    png.insert(png.end(), pszType, pszType + 4);
    png.insert(png.end(), data.begin(), data.end());
    AppendBigEndian(png, Crc32(png.data() + nStart, png.size() - nStart));
}

// A zlib stream of the bytes in stored (uncompressed) deflate blocks.
inline std::vector<BYTE> StoredZlib(const std::vector<BYTE>& raw)
{
    std::vector<BYTE> z = { 0x78, 0x01 };
    size_t nDone = 0;
    do
    {
        const size_t cb = raw.size() - nDone < 65535 ? raw.size() - nDone : 65535;
        z.push_back(nDone + cb == raw.size() ? 1 : 0);
        z.push_back((BYTE)cb);
        z.push_back((BYTE)(cb >> 8));
        z.push_back((BYTE)~cb);
        z.push_back((BYTE)(~cb >> 8));
        z.insert(z.end(), raw.begin() + nDone, raw.begin() + nDone + cb);
        nDone += cb;
    } while (nDone < raw.size());
    DWORD a = 1;
    DWORD b = 0;
    for (BYTE c : raw)
    {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    AppendBigEndian(z, (b << 16) | a);
    return z;
}

// A PNG file: the header of the given colour type, depth and interlacing, the chunks
// in extra (PLTE, tRNS: type and data each), and raw, the filtered scanlines (each row
// with its filter byte; of every pass in turn when interlaced).
inline std::vector<BYTE> PngFile(DWORD nWidth, DWORD nHeight, BYTE nColorType, BYTE nDepth, const std::vector<BYTE>& raw,
                                 const std::vector<std::pair<std::string, std::vector<BYTE>>>& extra = {},
                                 BYTE nInterlace = 0)
{
    std::vector<BYTE> png = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    std::vector<BYTE> header;
    AppendBigEndian(header, nWidth);
    AppendBigEndian(header, nHeight);
    header.insert(header.end(), { nDepth, nColorType, 0, 0, nInterlace });
    AppendPngChunk(png, "IHDR", header);
    for (const auto& chunk : extra)
        AppendPngChunk(png, chunk.first.c_str(), chunk.second);
    AppendPngChunk(png, "IDAT", StoredZlib(raw));
    AppendPngChunk(png, "IEND", {});
    return png;
}

// A GIF89a file of nWidth x nHeight with a global table of the colours (0x00RRGGBB, at
// most 128) and one image per frame of indices, each after a graphic control extension
// naming nTransparent as transparent when it is 0 to 127. The image data has a minimum
// code size of 7 and a clear code before every 126 indices, so that every code is 8 bits
// long and the table never grows: a valid LZW stream with no compression.
inline std::vector<BYTE> GifFile(WORD nWidth, WORD nHeight, const std::vector<DWORD>& colors,
                                 const std::vector<std::vector<BYTE>>& frames, int nTransparent = -1)
{
    std::vector<BYTE> gif = { 'G', 'I', 'F', '8', '9', 'a', (BYTE)nWidth, (BYTE)(nWidth >> 8), (BYTE)nHeight,
                              (BYTE)(nHeight >> 8), 0xF6, 0, 0 };
    for (size_t i = 0; i < 128; ++i)
    {
        const DWORD color = i < colors.size() ? colors[i] : 0;
        gif.insert(gif.end(), { (BYTE)(color >> 16), (BYTE)(color >> 8), (BYTE)color });
    }
    for (const std::vector<BYTE>& indices : frames)
    {
        if (nTransparent >= 0)
            gif.insert(gif.end(), { 0x21, 0xF9, 4, 1, 10, 0, (BYTE)nTransparent, 0 });
        gif.insert(gif.end(), { 0x2C, 0, 0, 0, 0, (BYTE)nWidth, (BYTE)(nWidth >> 8), (BYTE)nHeight, (BYTE)(nHeight >> 8), 0 });
        std::vector<BYTE> codes;
        for (size_t i = 0; i < indices.size(); ++i)
        {
            if (i % 126 == 0)
                codes.push_back(128);
            codes.push_back(indices[i]);
        }
        codes.push_back(129);
        gif.push_back(7);
        for (size_t i = 0; i < codes.size(); i += 255)
        {
            const size_t cb = codes.size() - i < 255 ? codes.size() - i : 255;
            gif.push_back((BYTE)cb);
            gif.insert(gif.end(), codes.begin() + i, codes.begin() + i + cb);
        }
        gif.push_back(0);
    }
    gif.push_back(0x3B);
    return gif;
}

// Damaged copies of a file: its first cb bytes, or byte i changed.
inline std::vector<BYTE> CutBytes(const std::vector<BYTE>& bytes, size_t cb)
{
    return std::vector<BYTE>(bytes.begin(), bytes.begin() + std::min(cb, bytes.size()));
}
inline std::vector<BYTE> ChangedByte(std::vector<BYTE> bytes, size_t i)
{
    if (i < bytes.size())
        bytes[i] ^= 0x5A;
    return bytes;
}
// Where a PNG's first IDAT chunk starts (its length field); the size when there is none.
inline size_t FindIdat(const std::vector<BYTE>& png)
{
    const char* pszType = "IDAT";
    const size_t nType = std::search(png.begin(), png.end(), pszType, pszType + 4) - png.begin();
    return nType >= 4 && nType < png.size() ? nType - 4 : png.size();
}
// Where the CRC of the PNG chunk that starts at nChunk lies.
inline size_t PngCrcOffset(const std::vector<BYTE>& png, size_t nChunk)
{
    const DWORD cbData = png[nChunk] << 24 | png[nChunk + 1] << 16 | png[nChunk + 2] << 8 | png[nChunk + 3];
    return nChunk + 8 + cbData;
}
