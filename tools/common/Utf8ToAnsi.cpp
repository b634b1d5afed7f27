// UTF-8 text in the ANSI code page, character by character, so that those the code page
// lacks can be counted.
#include "Utf8ToAnsi.h"

namespace {

// The length of the UTF-8 sequence that starts with lead, or 0 for a byte that starts
// none.
int SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

CString Utf8ToAnsi(std::string_view text, int& nMissing)
{
    CString strAnsi;
    size_t i = 0;
    while (i < text.size())
    {
        const int nLength = SequenceLength((unsigned char)text[i]);
        if (nLength == 1)
        {
            // Line breaks and other control characters (a NUL too) become spaces: names
            // are one line of text.
            const char c = text[i++];
            strAnsi += (unsigned char)c < 0x20 || c == 0x7F ? ' ' : c;
            continue;
        }
        // One character: its UTF-16 (a surrogate pair at most), then its ANSI bytes.
        WCHAR wide[2];
        int nWide = 0;
        if (nLength > 0 && i + nLength <= text.size())
            nWide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data() + i, nLength, wide, 2);
        char ansi[8];
        BOOL bDefaultUsed = FALSE;
        int nAnsi = 0;
        if (nWide > 0)
            nAnsi = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, nWide, ansi, sizeof ansi, "?",
                                        &bDefaultUsed);
        if (nAnsi <= 0 || bDefaultUsed)
        {
            strAnsi += '?';
            ++nMissing;
        }
        else
        {
            strAnsi += CString(ansi, nAnsi);
        }
        i += nWide > 0 ? nLength : 1;
    }
    return strAnsi;
}
