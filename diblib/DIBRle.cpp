// One walker for both uses of a run-length stream. Positions count rows from the
// bottom, as the stream does. A 4-bit run alternates the high and the low nibble of
// its colour byte, starting with the high one wherever it starts; 4-bit literal data
// gives its pixels high nibble first.
#include "diblib/DIBRle.h"

namespace {

class CRLEWalker
{
public:
    CRLEWalker(const RLEIMAGE& image, BOOL bStrict, BYTE* pIndices)
        : m_image(image), m_bStrict(bStrict), m_pIndices(pIndices)
    {
    }

    // FALSE when the strict walk refuses the stream.
    BOOL Walk()
    {
        const BYTE* s = m_image.pStream;
        const SIZE_T cb = m_image.cbStream;
        SIZE_T i = 0;
        while (i + 1 < cb)
        {
            BYTE n = s[i];
            BYTE c = s[i + 1];
            i += 2;
            if (n != 0)
            {
                if (!PutRun(n, c))
                    return FALSE;
                continue;
            }
            switch (c)
            {
            case 0: // end of line
                m_x = 0;
                if (m_y < m_image.nRows)
                    ++m_y;
                if (m_y >= m_image.nRows && !m_bStrict)
                    return TRUE;
                break;
            case 1: // end of bitmap
                return TRUE;
            case 2: // delta: right and up
            {
                if (i + 1 >= cb)
                    return !m_bStrict;
                LONGLONG x = (LONGLONG)m_x + s[i];
                LONGLONG y = (LONGLONG)m_y + s[i + 1];
                i += 2;
                if (m_bStrict && (x > m_image.nWidth || y >= m_image.nRows))
                    return FALSE;
                if (y >= m_image.nRows)
                    return TRUE;
                m_x = x > m_image.nWidth ? m_image.nWidth : (LONG)x;
                m_y = (LONG)y;
                break;
            }
            default: // c pixels of literal data, padded to a whole number of words
            {
                SIZE_T cbData = m_image.wBitCount == 4 ? (c + 1u) / 2 : c;
                if (i + cbData > cb)
                    return !m_bStrict;
                if (!PutLiteral(c, s + i))
                    return FALSE;
                i += (cbData + 1) & ~(SIZE_T)1;
                break;
            }
            }
        }
        return TRUE;
    }

    BYTE GetMaxIndex() const { return m_maxIndex; }

private:
    // The pixels that fit in the row, of n wanted; 0 when none may be written.
    LONG Fit(LONG n, BOOL& bRefused) const
    {
        bRefused = FALSE;
        if (m_y >= m_image.nRows)
        {
            bRefused = m_bStrict;
            return 0;
        }
        LONG nRoom = m_image.nWidth - m_x;
        if (n <= nRoom)
            return n;
        bRefused = m_bStrict;
        return nRoom;
    }

    void Put(LONG x, BYTE index)
    {
        if (index > m_maxIndex)
            m_maxIndex = index;
        if (m_pIndices != NULL)
            m_pIndices[(SIZE_T)(m_image.nRows - 1 - m_y) * (SIZE_T)m_image.nWidth + (SIZE_T)x] = index;
    }

    BOOL PutRun(LONG n, BYTE c)
    {
        BOOL bRefused;
        LONG nPut = Fit(n, bRefused);
        if (bRefused)
            return FALSE;
        const BYTE pair[2] = { BYTE(c >> 4), BYTE(c & 0x0F) };
        for (LONG k = 0; k < nPut; ++k)
            Put(m_x + k, m_image.wBitCount == 4 ? pair[k & 1] : c);
        m_x += nPut;
        return TRUE;
    }

    BOOL PutLiteral(LONG n, const BYTE* pData)
    {
        BOOL bRefused;
        LONG nPut = Fit(n, bRefused);
        if (bRefused)
            return FALSE;
        for (LONG k = 0; k < nPut; ++k)
        {
            BYTE b = m_image.wBitCount == 4 ? pData[k / 2] : pData[k];
            if (m_image.wBitCount == 4)
                b = (k & 1) ? (b & 0x0F) : (b >> 4);
            Put(m_x + k, b);
        }
        m_x += nPut;
        return TRUE;
    }

    const RLEIMAGE& m_image;
    const BOOL m_bStrict;
    BYTE* const m_pIndices;
    LONG m_x = 0;
    LONG m_y = 0;
    BYTE m_maxIndex = 0;
};

} // namespace

void ExpandRLE(const RLEIMAGE& image, BYTE* pIndices)
{
    CRLEWalker(image, FALSE, pIndices).Walk();
}

BOOL CheckRLE(const RLEIMAGE& image, BYTE* pMaxIndex)
{
    CRLEWalker walker(image, TRUE, NULL);
    if (!walker.Walk())
        return FALSE;
    *pMaxIndex = walker.GetMaxIndex();
    return TRUE;
}
