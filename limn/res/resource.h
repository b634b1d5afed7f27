// Resource identifiers of limn.dll.
#pragma once

// String table
#define IDS_LEAVING_DEDICATED_SCANNING  1
#define IDS_PICTURE_IMPORT_FAILED       2
