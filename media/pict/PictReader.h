// The picture reader: plays a Macintosh picture (PICT, version 1 or 2, with or without the
// 512-byte header of a picture file) through a PictSink, and tells what a picture holds.
//
// The reader trusts nothing in the bytes: it never reads outside them, every step moves
// forward or ends the picture, and no allocation exceeds the limits below. A picture that
// breaks off or goes wrong ends where it does: what was drawn before stays drawn, and the
// result says so.
#pragma once

#include "media/pict/PictSink.h"
#include "media/pict/PictTypes.h"

#include <cstddef>
#include <cstdint>

namespace pict {

// The most pixels a picture's image may have (width * height of a bitmap opcode's bounds),
// and the most that a caller should allocate for the frame when it renders a whole picture
// into memory: 4096 x 4096. An image above it is refused, and since its data's length is
// not known without decoding it, the picture ends there (PictResult::Refused).
constexpr uint64_t kMaxPixels = 4096u * 4096u;

// The most rectangles a region decodes into. A region with more is taken as its bounding
// rectangle alone.
constexpr size_t kMaxRegionRects = 16384;

enum class PictResult
{
    // The picture ended with its end opcode.
    Complete,
    // The picture's bytes ran out, or an opcode's data was damaged (a length that reaches
    // past the end, a pixel map that is not one), before the end opcode.
    Truncated,
    // An image whose data's length the reader cannot know (a pixel size, pack type or
    // component count that does not exist), or an image above kMaxPixels, ended the
    // picture.
    Refused,
    // The bytes are not a picture: no version opcode after the frame at offset 0 or 512.
    NotAPicture,
};

struct PictInfo
{
    // 1 or 2; 0 when the bytes are not a picture.
    int version = 0;
    // Version 2 with the extended header (which gives the resolution and the source
    // rectangle).
    bool extended = false;
    // Where the picture starts in the bytes: 0, or 512 after a picture file's header.
    size_t offset = 0;
    // The picture's frame: its bounding rectangle in picture coordinates.
    Rect frame;
    // The resolution in dots per inch, as 16.16 fixed point, when the version 2 header
    // gives one; 72 dpi (0x00480000) otherwise.
    int32_t hRes = 0x00480000;
    int32_t vRes = 0x00480000;
    // Opcodes read, pixel images among them (bitmap and compressed opcodes), and the
    // deepest pixel size of the images decoded or described with a real depth (0 when
    // there is none).
    uint32_t opcodes = 0;
    uint32_t images = 0;
    int deepestPixelSize = 0;
    PictResult result = PictResult::NotAPicture;
};

// Finds the picture in data[0..size) and reads its header alone: version, extended,
// offset, frame and resolution (the rest of info keeps its defaults). Cheap: a sink that
// maps the frame onto its destination asks this before ReadPicture. Returns whether the
// bytes are a picture.
bool ReadPictHeader(const uint8_t* data, size_t size, PictInfo& info);

// Plays the picture in data[0..size) through sink. Detects the 512-byte file header.
// Fills *info, when given, with what GetPictInfo gives.
PictResult ReadPicture(const uint8_t* data, size_t size, PictSink& sink, PictInfo* info = nullptr);

// Reads the picture without drawing it and fills info. Returns whether the bytes are a
// picture (info.version != 0), however it ended.
bool GetPictInfo(const uint8_t* data, size_t size, PictInfo& info);

} // namespace pict
