// A bounds-checked reader of big-endian values over a byte range: every read of the
// picture reader goes through it, and the picture's points and rectangles. A read past the end returns zeros and marks the reader
// failed, and stays failed, so a parser may read a whole record and check once.
#pragma once

#include "media/pict/PictTypes.h"

#include <cstddef>
#include <cstdint>

namespace pict {

class ByteReader
{
public:
    ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    size_t Pos() const { return m_pos; }
    size_t Remaining() const { return m_size - m_pos; }
    bool Failed() const { return m_failed; }
    void Fail() { m_failed = true; }

    uint8_t U8()
    {
        if (!Need(1))
            return 0;
        return m_data[m_pos++];
    }
    int8_t S8() { return (int8_t)U8(); }
    uint16_t U16()
    {
        if (!Need(2))
            return 0;
        uint16_t v = (uint16_t)(m_data[m_pos] << 8 | m_data[m_pos + 1]);
        m_pos += 2;
        return v;
    }
    int16_t S16() { return (int16_t)U16(); }
    uint32_t U32()
    {
        uint32_t hi = U16();
        return hi << 16 | U16();
    }
    int32_t S32() { return (int32_t)U32(); }

    // The next n bytes, or null (and failed) when fewer remain.
    const uint8_t* Bytes(size_t n)
    {
        if (!Need(n))
            return nullptr;
        const uint8_t* p = m_data + m_pos;
        m_pos += n;
        return p;
    }
    bool Skip(size_t n) { return Bytes(n) != nullptr; }

    // A reader over the next n bytes, which this reader steps over. When fewer remain,
    // this reader fails and the result is an empty, failed reader.
    ByteReader Sub(size_t n)
    {
        const uint8_t* p = Bytes(n);
        ByteReader sub(p, p ? n : 0);
        if (!p)
            sub.m_failed = true;
        return sub;
    }

    // Moves to an even position counted from the reader's start (version 2 pictures keep
    // their opcodes on word boundaries).
    void AlignToWord()
    {
        if (m_pos % 2 != 0)
            Skip(1);
    }

private:
    bool Need(size_t n)
    {
        if (m_failed || n > m_size - m_pos)
        {
            m_failed = true;
            return false;
        }
        return true;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_failed = false;
};

// A QuickDraw point: v, then h.
inline Point ReadPoint(ByteReader& r)
{
    Point p;
    p.y = r.S16();
    p.x = r.S16();
    return p;
}

// A QuickDraw rectangle: top, left, bottom, right.
inline Rect ReadRect(ByteReader& r)
{
    Rect rc;
    rc.top = r.S16();
    rc.left = r.S16();
    rc.bottom = r.S16();
    rc.right = r.S16();
    return rc;
}

} // namespace pict
