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

// Fills n items with x: the first one stored, then doubling block copies.
template <class ITEM>
void FillItems(BYTE* pDest, ITEM x, DWORD n)
{
    if (sizeof(ITEM) == 1)
    {
        memset(pDest, (BYTE)x, n);
        return;
    }
    size_t nTotal = (size_t)n * sizeof(ITEM);
    if (nTotal == 0)
        return;
    StoreItem(pDest, x);
    for (size_t nDone = sizeof(ITEM); nDone < nTotal;)
    {
        size_t nCopy = nDone < nTotal - nDone ? nDone : nTotal - nDone;
        memcpy(pDest + nDone, pDest, nCopy);
        nDone += nCopy;
    }
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
        else
        {
            if (nEqual == 0)
                nEqual = 1;
            if (bInRun)
            {
                if (x == prev)
                {
                    token += 2;
                }
                else
                {
                    // The run ends: x starts the next token.
                    nIn -= W;
                    bNeedToken = true;
                    bInRun = false;
                    nEqual = 1;
                }
            }
            else if (x != prev)
            {
                nEqual = 0;
                token += 2;
                StoreItem(pStream + nOut, x);
                nOut += W;
                prev = x;
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

template <class ITEM>
BOOL Decode(const BYTE* pStream, DWORD nStored, BYTE* pData, DWORD nSize)
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
        if (token & 1)
        {
            if (nStored - nIn < W)
                return FALSE;
            if (pData != NULL)
                FillItems<ITEM>(pData, LoadItem<ITEM>(pStream + nIn), n);
            nIn += W;
        }
        else
        {
            if ((nStored - nIn) / W < n)
                return FALSE;
            if (pData != NULL)
                memcpy(pData, pStream + nIn, (size_t)n * W);
            nIn += n * W;
        }
        if (pData != NULL)
            pData += (size_t)n * W;
        nItemsLeft -= n;
    }
    return TRUE;
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
    if (nStored < 4)
        return FALSE;
    switch (LoadItem<uint32_t>(pStream))
    {
    case 1:
        return Decode<uint8_t>(pStream, nStored, pData, nSize);
    case 2:
        return Decode<uint16_t>(pStream, nStored, pData, nSize);
    case 4:
        return Decode<uint32_t>(pStream, nStored, pData, nSize);
    default:
        return FALSE;
    }
}
