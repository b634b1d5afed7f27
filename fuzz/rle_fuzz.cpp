// The run-length codec on arbitrary bytes. The first byte picks the direction and the
// width. Decoding: three more bytes give the size N (below 1 MB) and the rest is the
// stream; the decoder must agree with its checking pass and stay inside both buffers,
// and so must the decoding of the stream's head, which gives the data's first bytes.
// Encoding: the rest is the data; the stream must be what a plain item-by-item
// encoder makes, shorter than the data, and decode back to it.
#include "hoard/data/Compression.h"

#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

void FuzzDecode(const uint8_t* pData, size_t nSize)
{
    if (nSize < 3)
        return;
    DWORD nFull = pData[0] | (pData[1] << 8) | ((pData[2] & 0x0F) << 16);
    // Exact-sized copies, so that the sanitizer sees any step outside them.
    std::vector<BYTE> stream(pData + 3, pData + nSize);
    std::vector<BYTE> out(nFull);
    DWORD nStored = (DWORD)stream.size();
    BOOL bValid = DecodeRuns(stream.data(), nStored, NULL, nFull);
    Check(bValid == DecodeRuns(stream.data(), nStored, out.data(), nFull));
    // The head of a stream is the first bytes of what it decodes to, cut anywhere.
    DWORD nHead = nFull == 0 ? 0 : (pData[2] >> 4) * 37 % nFull;
    std::vector<BYTE> head(nHead);
    Check(bValid == DecodeRunsHead(stream.data(), nStored, nFull, head.data(), nHead));
    Check(!bValid || nHead == 0 || memcmp(head.data(), out.data(), nHead) == 0);
    if (!bValid || nFull == 0 || nStored < 4)
        return;
    // A valid stream of width W describes data that W-wide encoding handles.
    UINT nWidth = stream[0];
    std::vector<BYTE> again(nFull);
    DWORD nAgain = EncodeRuns(out.data(), nFull, nWidth, again.data());
    Check(nAgain <= nFull);
}

// The encoder as a plain loop over the items, one step per item: the oracle that
// the encoder's faster loops must match byte for byte.
template <class ITEM>
std::vector<BYTE> ReferenceEncode(const std::vector<BYTE>& data)
{
    const size_t W = sizeof(ITEM);
    const ITEM ceiling = (ITEM)(~(ITEM)0 - 1);
    const int64_t nLimit = (int64_t)data.size() - 2 * (int64_t)W;
    if (data.empty() || data.size() % W != 0 || nLimit <= 4)
        return {};
    std::vector<BYTE> out(data.size());
    auto put = [&](size_t n, ITEM x) { memcpy(&out[n], &x, W); };
    uint32_t tag = W;
    memcpy(out.data(), &tag, 4);
    size_t nOut = 4, nToken = 4, nIn = 0, k = 0;
    ITEM prev = 0, tok = 0;
    bool bNeed = true, bRun = false;
    do
    {
        if ((int64_t)nOut >= nLimit)
            return {};
        ITEM x;
        memcpy(&x, &data[nIn], W);
        nIn += W;
        bool bStart = bNeed || tok >= ceiling;
        if (tok >= ceiling)
        {
            k = 0;
            bRun = false;
        }
        if (!bStart)
        {
            if (k == 0)
                k = 1;
            if (bRun && x == prev)
                tok += 2;
            else if (bRun)
            {
                nIn -= W;
                bNeed = true;
                bRun = false;
                k = 1;
            }
            else if (x != prev)
            {
                k = 0;
                tok += 2;
                put(nOut, x);
                nOut += W;
                prev = x;
            }
            else if (++k <= 2)
            {
                tok += 2;
                put(nOut, x);
                nOut += W;
            }
            else
            {
                nIn -= W;
                tok -= (ITEM)(2 * (k - 1));
                if (tok == 0)
                    nOut = nToken;
                else
                    nOut -= (k - 1) * W;
                bRun = true;
                bNeed = true;
            }
            put(nToken, tok);
        }
        else
        {
            nToken = nOut;
            nOut += W;
            prev = x;
            bNeed = false;
            tok = k <= 2 ? (ITEM)(2 + bRun) : (ITEM)(k * 2 + bRun);
            if (k <= 2)
                k = 0;
            put(nToken, tok);
            put(nOut, x);
            nOut += W;
        }
    } while (nIn < data.size());
    out.resize(nOut);
    return out;
}

void FuzzEncode(UINT nWidth, const uint8_t* pData, size_t nSize)
{
    std::vector<BYTE> data(pData, pData + nSize);
    std::vector<BYTE> stream(nSize);
    DWORD nStored = EncodeRuns(data.data(), (DWORD)nSize, nWidth, stream.data());
    Check(nStored <= nSize);
    std::vector<BYTE> expected = nWidth == 1 ? ReferenceEncode<uint8_t>(data)
                                : nWidth == 2 ? ReferenceEncode<uint16_t>(data)
                                              : ReferenceEncode<uint32_t>(data);
    if (nStored == nSize)
    {
        Check(expected.empty());
        return;
    }
    Check(std::vector<BYTE>(stream.begin(), stream.begin() + nStored) == expected);
    Check(nSize % nWidth == 0);
    stream.resize(nStored);
    std::vector<BYTE> back(nSize);
    Check(DecodeRuns(stream.data(), nStored, back.data(), (DWORD)nSize));
    Check(back == data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1)
        return 0;
    static const UINT widths[] = { 1, 2, 4, 1 };
    UINT nWidth = widths[pData[0] & 3];
    if (pData[0] & 0x80)
        FuzzDecode(pData + 1, nSize - 1);
    else
        FuzzEncode(nWidth, pData + 1, nSize - 1);
    return 0;
}
