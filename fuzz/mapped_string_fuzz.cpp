// The mapped-string reader over arbitrary bytes. Every input must load without a
// failure; a key that the input defines on a line of its own must then map to the
// value that the line gives.
#include "hoard/runtime/MappedString.h"

#include <stdlib.h>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMappedString::Unload();
    CMemFile file(const_cast<BYTE*>(data), (UINT)size);
    CMappedString::Load(file);

    // Appending a fresh line must give exactly that entry, whatever came before.
    std::string text(reinterpret_cast<const char*>(data), size);
    text += "\r\nFuzzKey=a|b=c\r\n";
    CMemFile again(reinterpret_cast<BYTE*>(text.data()), (UINT)text.size());
    CMappedString::Load(again);
    if (strcmp((const char*)CMappedString("FuzzKey"), "a\nbc") != 0)
        abort();
    return 0;
}
