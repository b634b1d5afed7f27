// Median cut over a histogram of 15-bit colours: the box holding the most pixels that
// can still be divided is cut across its longest side where half of its pixels lie on
// either side, until there are 256 boxes or none can be cut. Each box gives the mean of
// the exact colours of its pixels.
#include "diblib/ImagePalette.h"

#include <algorithm>
#include <unordered_set>

namespace {

const UINT PALETTE_SIZE = 256;

struct BIN
{
    ULONGLONG nPixels = 0;
    ULONGLONG sums[3] = {}; // red, green, blue
};

// A 15-bit colour's channel: 0 red, 1 green, 2 blue.
int Channel(UINT nColor, int c) { return (nColor >> (10 - 5 * c)) & 0x1F; }

struct BOX
{
    std::vector<UINT> colors; // 15-bit colours with pixels
    ULONGLONG nPixels;
    int nLongest; // channel
    int nSpan;    // of the longest channel; 0 when the box cannot be cut
};

BOX MakeBox(std::vector<UINT> colors, const std::vector<BIN>& bins)
{
    BOX box = { std::move(colors), 0, 0, 0 };
    int lo[3] = { 31, 31, 31 }, hi[3] = { 0, 0, 0 };
    for (UINT nColor : box.colors)
    {
        box.nPixels += bins[nColor].nPixels;
        for (int c = 0; c < 3; ++c)
        {
            lo[c] = std::min(lo[c], Channel(nColor, c));
            hi[c] = std::max(hi[c], Channel(nColor, c));
        }
    }
    for (int c = 0; c < 3; ++c)
    {
        if (hi[c] - lo[c] > box.nSpan)
        {
            box.nSpan = hi[c] - lo[c];
            box.nLongest = c;
        }
    }
    return box;
}

void CutBox(std::vector<BOX>& boxes, size_t nBox, const std::vector<BIN>& bins)
{
    std::vector<UINT> colors = std::move(boxes[nBox].colors);
    const int c = boxes[nBox].nLongest;
    std::sort(colors.begin(), colors.end(),
              [c](UINT a, UINT b) { return Channel(a, c) < Channel(b, c); });
    // The cut lies between two different values of the channel, at the median pixel.
    ULONGLONG nHalf = boxes[nBox].nPixels / 2, nSeen = 0;
    size_t nCut = 1;
    for (size_t i = 0; i + 1 < colors.size(); ++i)
    {
        nSeen += bins[colors[i]].nPixels;
        if (Channel(colors[i], c) != Channel(colors[i + 1], c))
        {
            nCut = i + 1;
            if (nSeen >= nHalf)
                break;
        }
    }
    std::vector<UINT> upper(colors.begin() + (ptrdiff_t)nCut, colors.end());
    colors.resize(nCut);
    boxes[nBox] = MakeBox(std::move(colors), bins);
    boxes.push_back(MakeBox(std::move(upper), bins));
}

UINT MedianCut(const std::vector<BIN>& bins, PALETTEENTRY* pEntries)
{
    std::vector<UINT> colors;
    for (UINT nColor = 0; nColor < bins.size(); ++nColor)
    {
        if (bins[nColor].nPixels != 0)
            colors.push_back(nColor);
    }
    std::vector<BOX> boxes;
    boxes.push_back(MakeBox(std::move(colors), bins));
    while (boxes.size() < PALETTE_SIZE)
    {
        size_t nBest = boxes.size();
        for (size_t i = 0; i < boxes.size(); ++i)
        {
            if (boxes[i].nSpan > 0 && (nBest == boxes.size() || boxes[i].nPixels > boxes[nBest].nPixels))
                nBest = i;
        }
        if (nBest == boxes.size())
            break;
        CutBox(boxes, nBest, bins);
    }

    for (size_t i = 0; i < boxes.size(); ++i)
    {
        ULONGLONG sums[3] = {};
        for (UINT nColor : boxes[i].colors)
        {
            for (int c = 0; c < 3; ++c)
                sums[c] += bins[nColor].sums[c];
        }
        const ULONGLONG n = boxes[i].nPixels;
        pEntries[i] = { BYTE((sums[0] + n / 2) / n), BYTE((sums[1] + n / 2) / n), BYTE((sums[2] + n / 2) / n), 0 };
    }
    return (UINT)boxes.size();
}

} // namespace

UINT MakeImagePalette(CDIBRowReader& reader, PALETTEENTRY* pEntries)
{
    const LONG nWidth = reader.GetWidth();
    std::vector<DWORD> row((size_t)nWidth);

    // The exact colours, while there are few enough.
    std::unordered_set<DWORD> exact;
    for (LONG y = 0; y < reader.GetHeight() && exact.size() <= PALETTE_SIZE; ++y)
    {
        reader.ReadColors(y, row.data());
        for (LONG x = 0; x < nWidth && exact.size() <= PALETTE_SIZE; ++x)
        {
            const DWORD rgb = row[x];
            if (exact.insert(rgb).second && exact.size() <= PALETTE_SIZE)
                pEntries[exact.size() - 1] = { BYTE(rgb >> 16), BYTE(rgb >> 8), BYTE(rgb), 0 };
        }
    }
    if (exact.size() <= PALETTE_SIZE)
        return (UINT)exact.size();

    std::vector<BIN> bins(1u << 15);
    for (LONG y = 0; y < reader.GetHeight(); ++y)
    {
        reader.ReadColors(y, row.data());
        for (DWORD rgb : row)
        {
            const BYTE r = BYTE(rgb >> 16), g = BYTE(rgb >> 8), b = BYTE(rgb);
            BIN& bin = bins[((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)];
            ++bin.nPixels;
            bin.sums[0] += r;
            bin.sums[1] += g;
            bin.sums[2] += b;
        }
    }
    return MedianCut(bins, pEntries);
}
