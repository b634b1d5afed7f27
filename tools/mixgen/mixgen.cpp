// mixgen: writes limn's blend table of palette indices as C++ source, from the rule of
// MakeMixedColors, so that the table is a constant and never computed while drawing.
//
//   mixgen OUT.CPP          (limn/pictures/MixArray.cpp)
//
// limn_tests checks that the committed table equals the rule's output.
#include "limn/pictures/MixedColors.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <vector>

int main(int argc, char** argv)
{
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc != 2)
    {
        fputs("usage: mixgen OUT.CPP\n", stderr);
        return 2;
    }
    std::vector<BYTE> table(65536);
    MakeMixedColors(table.data());

    FILE* pFile = fopen(argv[1], "wb");
    if (pFile == NULL)
    {
        fprintf(stderr, "mixgen: cannot write %s\n", argv[1]);
        return 1;
    }
    fputs("// The blend table of palette indices, written by tools/mixgen from MakeMixedColors.\n"
          "// Do not edit: run mixgen to write it again.\n"
          "#include \"limn/pictures/MixedColors.h\"\n"
          "\n"
          "const BYTE mixArray[65536] = {\n", pFile);
    for (size_t i = 0; i < table.size(); i += 16)
    {
        fputs("   ", pFile);
        for (size_t j = i; j < i + 16; ++j)
            fprintf(pFile, " 0x%02x,", table[j]);
        fputs("\n", pFile);
    }
    fputs("};\n", pFile);
    if (fclose(pFile) != 0)
    {
        fprintf(stderr, "mixgen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
