// The opcodes of Macintosh pictures that the reader interprets and the writer writes.
// In a version 1 picture an opcode is a byte; in version 2 a word on an even offset.
// The drawing opcodes come in groups of eight by verb: frame, paint, erase, invert, fill,
// then three reserved; each shape's group is followed by the "same shape" group.
#pragma once

#include <cstdint>

namespace pict::op {

constexpr uint16_t kNop = 0x0000;
constexpr uint16_t kClip = 0x0001;
constexpr uint16_t kBkPat = 0x0002;
constexpr uint16_t kTxFont = 0x0003;
constexpr uint16_t kTxFace = 0x0004;
constexpr uint16_t kTxMode = 0x0005;
constexpr uint16_t kSpExtra = 0x0006;
constexpr uint16_t kPnSize = 0x0007;
constexpr uint16_t kPnMode = 0x0008;
constexpr uint16_t kPnPat = 0x0009;
constexpr uint16_t kFillPat = 0x000A;
constexpr uint16_t kOvSize = 0x000B;
constexpr uint16_t kOrigin = 0x000C;
constexpr uint16_t kTxSize = 0x000D;
constexpr uint16_t kFgColor = 0x000E;
constexpr uint16_t kBkColor = 0x000F;
constexpr uint16_t kTxRatio = 0x0010;
constexpr uint16_t kVersion = 0x0011;
constexpr uint16_t kBkPixPat = 0x0012;
constexpr uint16_t kPnPixPat = 0x0013;
constexpr uint16_t kFillPixPat = 0x0014;
constexpr uint16_t kPnLocHFrac = 0x0015;
constexpr uint16_t kChExtra = 0x0016;
constexpr uint16_t kRGBFgCol = 0x001A;
constexpr uint16_t kRGBBkCol = 0x001B;
constexpr uint16_t kHiliteMode = 0x001C;
constexpr uint16_t kHiliteColor = 0x001D;
constexpr uint16_t kDefHilite = 0x001E;
constexpr uint16_t kOpColor = 0x001F;
constexpr uint16_t kLine = 0x0020;
constexpr uint16_t kLineFrom = 0x0021;
constexpr uint16_t kShortLine = 0x0022;
constexpr uint16_t kShortLineFrom = 0x0023;
constexpr uint16_t kLongText = 0x0028;
constexpr uint16_t kDHText = 0x0029;
constexpr uint16_t kDVText = 0x002A;
constexpr uint16_t kDHDVText = 0x002B;
constexpr uint16_t kFontName = 0x002C;
constexpr uint16_t kFrameRect = 0x0030;
constexpr uint16_t kFrameSameRect = 0x0038;
constexpr uint16_t kFrameRRect = 0x0040;
constexpr uint16_t kFrameSameRRect = 0x0048;
constexpr uint16_t kFrameOval = 0x0050;
constexpr uint16_t kFrameSameOval = 0x0058;
constexpr uint16_t kFrameArc = 0x0060;
constexpr uint16_t kFrameSameArc = 0x0068;
constexpr uint16_t kFramePoly = 0x0070;
constexpr uint16_t kFrameSamePoly = 0x0078;
constexpr uint16_t kFrameRgn = 0x0080;
constexpr uint16_t kFrameSameRgn = 0x0088;
constexpr uint16_t kBitsRect = 0x0090;
constexpr uint16_t kBitsRgn = 0x0091;
constexpr uint16_t kPackBitsRect = 0x0098;
constexpr uint16_t kPackBitsRgn = 0x0099;
constexpr uint16_t kDirectBitsRect = 0x009A;
constexpr uint16_t kDirectBitsRgn = 0x009B;
constexpr uint16_t kShortComment = 0x00A0;
constexpr uint16_t kLongComment = 0x00A1;
constexpr uint16_t kOpEndPic = 0x00FF;
constexpr uint16_t kHeaderOp = 0x0C00;
constexpr uint16_t kCompressedQuickTime = 0x8200;
constexpr uint16_t kUncompressedQuickTime = 0x8201;

// The verbs, added to a shape group's first opcode.
constexpr uint16_t kFrame = 0;
constexpr uint16_t kPaint = 1;
constexpr uint16_t kErase = 2;
constexpr uint16_t kInvert = 3;
constexpr uint16_t kFill = 4;

// The word that follows kVersion in a version 2 picture.
constexpr uint16_t kVersion2 = 0x02FF;

} // namespace pict::op
