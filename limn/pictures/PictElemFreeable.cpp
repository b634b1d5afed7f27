// CPictElemFreeable: its runtime class.
#include "limn/pictures/PictElemFreeable.h"

IMPLEMENT_DYNAMIC(CPictElemFreeable, CPictElem)

CPictElemFreeable::~CPictElemFreeable() = default;
