// The run-length code of stored data blocks, over items of 1, 2 or 4 bytes.
//
// A stream is a 32-bit little-endian tag W (the item width: 1, 2 or 4) followed by
// tokens. Each token is one little-endian item; its value shifted right by one is a
// count n. With bit 0 clear the next n items are copied out; with bit 0 set the next
// single item is repeated n times.
#pragma once

#include "hoard/hoard_api.h"

// Encodes nSize bytes as items of nWidth bytes (1, 2 or 4) into pStream, which has
// room for nSize bytes. Returns the stream's length, always below nSize, or nSize
// when the data does not get shorter (then it is to be stored raw). Lengths that are
// not a multiple of nWidth are never encoded.
HOARD_API DWORD EncodeRuns(const BYTE* pData, DWORD nSize, UINT nWidth, BYTE* pStream);

// Decodes the nStored bytes of a stream into exactly nSize bytes at pData. FALSE when
// the stream is corrupt: a tag other than 1, 2 or 4, a size that is not a multiple of
// the width, or tokens that end before nSize bytes are produced or would produce
// more. It never reads past nStored bytes nor writes past nSize; bytes that follow the
// last needed token are ignored. With pData null it only checks the stream.
HOARD_API BOOL DecodeRuns(const BYTE* pStream, DWORD nStored, BYTE* pData, DWORD nSize);
// DecodeRuns's check of a whole stream that writes only the first nHead bytes (at most
// nSize) of what it decodes to pHead.
HOARD_API BOOL DecodeRunsHead(const BYTE* pStream, DWORD nStored, DWORD nSize, BYTE* pHead, DWORD nHead);
