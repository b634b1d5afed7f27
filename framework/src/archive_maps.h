// The numbering of objects and classes that CArchive keeps while it works.
#pragma once

#include "afx.h"

#include <unordered_map>
#include <vector>

// What the archive has numbered so far: pointers by index when loading, indices
// by pointer when storing.
struct CArchiveMaps
{
    struct Loaded
    {
        void* p;
        UINT nSchema;       // the stored schema, for classes
        bool bClass;
        // For an object that an object record created: its class, and the map count
        // when the record ended. NULL for an object numbered by MapObject.
        CRuntimeClass* pObClass = NULL;
        DWORD nEnd = 0;
    };
    std::vector<Loaded> load { Loaded{ NULL, 0, false } };
    std::unordered_map<const void*, DWORD> store;
};
