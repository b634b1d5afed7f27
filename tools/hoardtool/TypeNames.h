// The resource types as hoardtool names them: each type's class name ("CWav") and its
// display name ("sound"), which messages use and a TYPE argument may give in any case.
#pragma once

#include <afx.h>

class CResource;
class CResourceClass;

// Gives the types their display names; called once, before the registry is completed.
void LoadTypeNames();

// The type that pszType names by its class name or its display name, ignoring case;
// fails, listing the types, when none does.
CResourceClass* TypeNamed(const char* pszType);

// The display name of a resource's type.
CString TypeNameOf(CResource* pRes);

// Every type, "display name (class name)", separated by commas.
CString TypeList();
