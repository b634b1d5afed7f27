// PackBits coding of pixel rows.
#include "media/pict/PackBits.h"

#include <algorithm>
#include <cstring>

namespace pict {

size_t UnpackBits(const uint8_t* src, size_t srcSize, uint8_t* dst, size_t dstSize, size_t unitSize)
{
    size_t in = 0;
    size_t out = 0;
    while (in < srcSize && out < dstSize)
    {
        int flag = (int8_t)src[in++];
        if (flag >= 0)
        {
            size_t n = std::min((size_t)(flag + 1) * unitSize, srcSize - in);
            size_t copied = std::min(n, dstSize - out);
            memcpy(dst + out, src + in, copied);
            in += n;
            out += copied;
        }
        else if (flag != -128)
        {
            if (srcSize - in < unitSize)
                break;
            const size_t n = std::min((size_t)(1 - flag) * unitSize, dstSize - out);
            if (unitSize == 1)
                memset(dst + out, src[in], n);
            else
                for (size_t k = 0; k < n; k++)
                    dst[out + k] = src[in + k % unitSize];
            out += n;
            in += unitSize;
        }
    }
    return out;
}

void PackBits(const uint8_t* data, size_t size, size_t unitSize, std::vector<uint8_t>& out)
{
    const size_t units = size / unitSize;
    auto same = [&](size_t a, size_t b) { return memcmp(data + a * unitSize, data + b * unitSize, unitSize) == 0; };
    size_t i = 0;
    while (i < units)
    {
        // A run of at least two equal units becomes a repeat code of up to 128 units.
        size_t run = 1;
        while (i + run < units && run < 128 && same(i, i + run))
            run++;
        if (run >= 2)
        {
            out.push_back((uint8_t)(int8_t)(1 - (int)run));
            out.insert(out.end(), data + i * unitSize, data + (i + 1) * unitSize);
            i += run;
            continue;
        }
        // Otherwise literal units up to the next run of three or 128 units: a shorter run
        // inside a literal costs less than the codes that would break it.
        size_t n = 1;
        while (i + n < units && n < 128 && !(i + n + 2 < units && same(i + n, i + n + 1) && same(i + n, i + n + 2)))
            n++;
        out.push_back((uint8_t)(n - 1));
        out.insert(out.end(), data + i * unitSize, data + (i + n) * unitSize);
        i += n;
    }
}

} // namespace pict
