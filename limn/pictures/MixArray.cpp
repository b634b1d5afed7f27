// The blend table of palette indices, written by tools/mixgen from MakeMixedColors.
// Do not edit: run scripts/mixgen to write it again.
#include "limn/pictures/MixedColors.h"

const BYTE mixArray[65536] = {
    0,
};
