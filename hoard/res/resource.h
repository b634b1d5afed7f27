// Resource identifiers of hoard.dll.
#pragma once

// String table
#define IDS_WAV_FILTER          1
#define IDS_WAV_IMPORT_FAILED   2
#define IDS_PASTE_REPLACE       3
#define IDS_DELETE_ONE          4
#define IDS_DELETE_MANY         5
#define IDS_NAME_TAKEN          6
#define IDS_UNTITLED            7

// Dialog templates
#define IDD_SELECT_MULTIPLE     109     // "Select One Or More "

// Controls
#define IDC_RESOURCE_LIST       102
