// CContainerControl: the base of containers that hold a value, which may be set and read
// as text, as integers and as a floating-point number. Each control answers the forms it
// supports; here every setter does nothing and every getter gives zero.
#pragma once

#include "limn/containers/Container.h"

class LIMN_API CContainerControl : public CContainer
{
public:
    CContainerControl(CContainer* pParent, ArrangeMethod method) : CContainer(pParent, method) {}

// Value
    virtual void SetValue(const char* pszValue);
    virtual void SetDWordValue(DWORD dwValue);
    virtual void SetValue(int nValue);
    virtual operator int();
    virtual double GetFloatValue();
    virtual DWORD GetDWordValue();
};
