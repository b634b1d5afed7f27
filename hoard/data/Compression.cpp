// The run-length encoder and decoder. Items are little-endian, like every machine
// this code runs on, so they are loaded and stored as host integers.
#include "hoard/data/Compression.h"

#include <stdint.h>

namespace {

template <class ITEM>
ITEM LoadItem(const BYTE* p)
{
    ITEM x;
    memcpy(&x, p, sizeof x);
    return x;
}

template <class ITEM>
void StoreItem(BYTE* p, ITEM x)
{
    memcpy(p, &x, sizeof x);
}

// An item's bits repeated over 64 bits: 0x0101..01, 0x0001..0001 or 0x0000000100000001.
template <class ITEM>
constexpr uint64_t nItemOnes = ~(uint64_t)0 / (ITEM)~(ITEM)0;

// Copies n bytes. Tokens are short, so short copies are done inline in 16-byte
// moves, the last one overlapping the one before; long ones go to memcpy.
inline void CopyBytes(BYTE* pDest, const BYTE* pSrc, size_t n)
{
    if (n > 256)
    {
        memcpy(pDest, pSrc, n);
        return;
    }
    if (n >= 16)
    {
        for (size_t i = 0; i < n - 16; i += 16)
            memcpy(pDest + i, pSrc + i, 16);
        memcpy(pDest + n - 16, pSrc + n - 16, 16);
        return;
    }
    if (n & 8)
    {
        memcpy(pDest, pSrc, 8);
        pDest += 8;
        pSrc += 8;
    }
    if (n & 4)
    {
        memcpy(pDest, pSrc, 4);
        pDest += 4;
        pSrc += 4;
    }
    if (n & 2)
    {
        memcpy(pDest, pSrc, 2);
        pDest += 2;
        pSrc += 2;
    }
    if (n & 1)
        *pDest = *pSrc;
}

// Fills n items with x, in the same moves from a 16-byte pattern of x. Every piece
// starts on an item, since n is a whole number of items and 16 is one too.
template <class ITEM>
void FillItems(BYTE* pDest, ITEM x, size_t n)
{
    n *= sizeof(ITEM);
    if (sizeof(ITEM) == 1 && n > 256)
    {
        memset(pDest, (BYTE)x, n);
        return;
    }
    uint64_t nPattern = x * nItemOnes<ITEM>;
    BYTE pattern[16];
    memcpy(pattern, &nPattern, 8);
    memcpy(pattern + 8, &nPattern, 8);
    if (n >= 16)
    {
        for (size_t i = 0; i < n - 16; i += 16)
            memcpy(pDest + i, pattern, 16);
        memcpy(pDest + n - 16, pattern, 16);
    }
    else
    {
        CopyBytes(pDest, pattern, n);
    }
}

// How many of the first nMax items at p (at least one) come before the first item
// that equals the one before it. Eight bytes at a time while they last: an item of
// zero in the difference of two neighbouring eight-byte windows marks an equal pair.
template <class ITEM>
uint64_t CountUnequal(const BYTE* p, uint64_t nMax)
{
    const uint64_t nStep = 8 / sizeof(ITEM);
    const uint64_t nOnes = nItemOnes<ITEM>;
    const uint64_t nHighs = nOnes << (8 * sizeof(ITEM) - 1);
    uint64_t n = 1;
    for (; n + nStep <= nMax; n += nStep)
    {
        uint64_t a, b;
        memcpy(&a, p + (n - 1) * sizeof(ITEM), 8);
        memcpy(&b, p + n * sizeof(ITEM), 8);
        uint64_t d = a ^ b;
        if (((d - nOnes) & ~d & nHighs) != 0)
            break;
    }
    while (n < nMax && LoadItem<ITEM>(p + n * sizeof(ITEM)) != LoadItem<ITEM>(p + (n - 1) * sizeof(ITEM)))
        ++n;
    return n;
}

// How many of the first nMax items at p equal x.
template <class ITEM>
uint64_t CountEqual(const BYTE* p, uint64_t nMax, ITEM x)
{
    const uint64_t nStep = 8 / sizeof(ITEM);
    const uint64_t nPattern = x * nItemOnes<ITEM>;
    uint64_t n = 0;
    for (; n + nStep <= nMax; n += nStep)
    {
        uint64_t a;
        memcpy(&a, p + n * sizeof(ITEM), 8);
        if (a != nPattern)
            break;
    }
    while (n < nMax && LoadItem<ITEM>(p + n * sizeof(ITEM)) == x)
        ++n;
    return n;
}

// One pass over the items. A token grows while it is below the ceiling (the largest
// item value less one); a literal turns into a run at its third equal item; the
// encoder gives up once the output reaches two items short of the input's length,
// which keeps the stream inside an nSize-byte buffer and always shorter than nSize.
template <class ITEM>
DWORD Encode(const BYTE* pData, DWORD nSize, BYTE* pStream)
{
    const DWORD W = sizeof(ITEM);
    // Lengths that leave a partial item at the end are stored raw.
    if (nSize == 0 || nSize % W != 0)
        return nSize;
    const ITEM ceiling = (ITEM)(~(ITEM)0 - 1);
    const int64_t nLimit = (int64_t)nSize - 2 * W;
    // Too short for a single token: nothing is written, not even the tag, which
    // would not fit a buffer of fewer than four bytes.
    if (nLimit <= 4)
        return nSize;

    StoreItem<uint32_t>(pStream, W);
    DWORD nOut = 4;         // output position
    DWORD nToken = 4;       // position of the current token
    ITEM token = 0;         // its value
    ITEM prev = 0;
    DWORD nEqual = 0;       // equal items in a row at the end of a literal
    bool bNeedToken = true;
    bool bInRun = false;
    DWORD nIn = 0;
    do
    {
        if ((int64_t)nOut >= nLimit)
            return nSize;
        ITEM x = LoadItem<ITEM>(pData + nIn);
        nIn += W;

        bool bStartToken = bNeedToken || token >= ceiling;
        if (bStartToken)
        {
            if (token >= ceiling)
            {
                nEqual = 0;
                bInRun = false;
            }
        }
        else if (bInRun && x == prev)
        {
            // The run takes x and the equal items after it, as many as the token
            // still has room for; the output does not grow meanwhile.
            uint64_t nRoom = ((uint64_t)ceiling - token + 1) / 2;
            uint64_t nLeft = (nSize - nIn) / W;
            uint64_t n = 1 + CountEqual<ITEM>(pData + nIn, (nRoom - 1 < nLeft ? nRoom - 1 : nLeft), x);
            nIn += (DWORD)((n - 1) * W);
            token = (ITEM)(token + 2 * n);
            StoreItem(pStream + nToken, token);
        }
        else if (!bInRun && x != prev)
        {
            // The literal takes x and the items after it up to the first pair of equal
            // neighbours, as far as the token has room and the output stays below
            // the limit.
            const BYTE* pFirst = pData + nIn - W;
            uint64_t nMax = (nSize - nIn) / W + 1;
            uint64_t nRoom = ((uint64_t)ceiling - token + 1) / 2;
            uint64_t nBelowLimit = (uint64_t)(nLimit - nOut + W - 1) / W;
            nMax = nMax < nRoom ? nMax : nRoom;
            nMax = nMax < nBelowLimit ? nMax : nBelowLimit;
            uint64_t n = CountUnequal<ITEM>(pFirst, nMax);
            CopyBytes(pStream + nOut, pFirst, n * W);
            nOut += (DWORD)(n * W);
            nIn += (DWORD)((n - 1) * W);
            token = (ITEM)(token + 2 * n);
            prev = LoadItem<ITEM>(pFirst + (n - 1) * W);
            nEqual = 0;
            StoreItem(pStream + nToken, token);
        }
        else
        {
            if (nEqual == 0)
                nEqual = 1;
            if (bInRun)
            {
                // The run ends: x starts the next token.
                nIn -= W;
                bNeedToken = true;
                bInRun = false;
                nEqual = 1;
            }
            else if (++nEqual <= 2)
            {
                token += 2;
                StoreItem(pStream + nOut, x);
                nOut += W;
            }
            else
            {
                // A third equal item: take the two already in the literal back out
                // and read x again as the start of a run of three.
                nIn -= W;
                token -= (ITEM)(2 * (nEqual - 1));
                if (token == 0)
                    nOut = nToken;
                else
                    nOut -= (nEqual - 1) * W;
                bInRun = true;
                bNeedToken = true;
            }
            StoreItem(pStream + nToken, token);
        }

        if (bStartToken)
        {
            nToken = nOut;
            nOut += W;
            prev = x;
            bNeedToken = false;
            if (nEqual <= 2)
            {
                nEqual = 0;
                token = (ITEM)(2 + bInRun);
            }
            else
            {
                token = (ITEM)(nEqual * 2 + bInRun);
            }
            StoreItem(pStream + nToken, token);
            StoreItem(pStream + nOut, x);
            nOut += W;
        }
    } while (nIn < nSize);
    return nOut;
}

// Checks the whole stream and writes the first nKeep decoded bytes to pData.
template <class ITEM>
BOOL Decode(const BYTE* pStream, DWORD nStored, BYTE* pData, DWORD nSize, DWORD nKeep)
{
    const DWORD W = sizeof(ITEM);
    if (nSize % W != 0)
        return FALSE;
    DWORD nItemsLeft = nSize / W;
    DWORD nIn = 4;
    while (nItemsLeft != 0)
    {
        if (nStored - nIn < W)
            return FALSE;
        ITEM token = LoadItem<ITEM>(pStream + nIn);
        nIn += W;
        DWORD n = (DWORD)(token >> 1);
        if (n > nItemsLeft)
            return FALSE;
        const size_t nBytes = (size_t)n * W;
        const size_t nWrite = nBytes < nKeep ? nBytes : nKeep;
        if (token & 1)
        {
            if (nStored - nIn < W)
                return FALSE;
            const ITEM x = LoadItem<ITEM>(pStream + nIn);
            if (nWrite == nBytes)
            {
                FillItems<ITEM>(pData, x, n);
            }
            else
            {
                for (size_t i = 0; i < nWrite; ++i)
                    pData[i] = (BYTE)(x >> (8 * (i % W)));
            }
            nIn += W;
        }
        else
        {
            if ((nStored - nIn) / W < n)
                return FALSE;
            CopyBytes(pData, pStream + nIn, nWrite);
            nIn += n * W;
        }
        pData += nWrite;
        nKeep -= (DWORD)nWrite;
        nItemsLeft -= n;
    }
    return TRUE;
}

BOOL DecodeKeeping(const BYTE* pStream, DWORD nStored, BYTE* pData, DWORD nSize, DWORD nKeep)
{
    if (nStored < 4)
        return FALSE;
    switch (LoadItem<uint32_t>(pStream))
    {
    case 1:
        return Decode<uint8_t>(pStream, nStored, pData, nSize, nKeep);
    case 2:
        return Decode<uint16_t>(pStream, nStored, pData, nSize, nKeep);
    case 4:
        return Decode<uint32_t>(pStream, nStored, pData, nSize, nKeep);
    default:
        return FALSE;
    }
}

} // namespace

DWORD EncodeRuns(const BYTE* pData, DWORD nSize, UINT nWidth, BYTE* pStream)
{
    switch (nWidth)
    {
    case 1:
        return Encode<uint8_t>(pData, nSize, pStream);
    case 2:
        return Encode<uint16_t>(pData, nSize, pStream);
    case 4:
        return Encode<uint32_t>(pData, nSize, pStream);
    default:
        ASSERT(FALSE);
        return nSize;
    }
}

BOOL DecodeRuns(const BYTE* pStream, DWORD nStored, BYTE* pData, DWORD nSize)
{
    return DecodeKeeping(pStream, nStored, pData, nSize, pData != NULL ? nSize : 0);
}

BOOL DecodeRunsHead(const BYTE* pStream, DWORD nStored, DWORD nSize, BYTE* pHead, DWORD nHead)
{
    return DecodeKeeping(pStream, nStored, pHead, nSize, nHead < nSize ? nHead : nSize);
}
