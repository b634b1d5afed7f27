// CPictElemFreeable: the base of picture elements that hold memory the freeable-memory
// manager may ask them to release (FreeUnusedMemory).
#pragma once

#include "limn/pictures/PictElem.h"
#include "hoard/runtime/Freeable.h"

class LIMN_API CPictElemFreeable : public CPictElem, public CFreeable
{
    DECLARE_DYNAMIC(CPictElemFreeable)
public:
    CPictElemFreeable() = default;
    ~CPictElemFreeable() override;
};
