// CContainerControl: the value operations of a control that holds none.
#include "limn/containers/ContainerControl.h"

void CContainerControl::SetValue(const char*) {}

void CContainerControl::SetDWordValue(DWORD) {}

void CContainerControl::SetValue(int) {}

CContainerControl::operator int() { return 0; }

double CContainerControl::GetFloatValue() { return 0; }

DWORD CContainerControl::GetDWordValue() { return 0; }
