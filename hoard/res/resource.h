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
#define IDS_CANT_RECORD         8

#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

// Dialog templates
#define IDD_SELECT_TYPE         105     // "Select Resource Type"
#define IDD_EDIT_RESOURCES      106     // "New/Edit", without preview
#define IDD_ENTER_NAME          107     // "Enter Name"
#define IDD_SELECT_ONE          108     // "Select One"
#define IDD_SELECT_MULTIPLE     109     // "Select One Or More "
#define IDD_EDIT_RESOURCES_PREVIEW 110  // "New/Edit", with preview

// Controls
#define IDC_DELETE              4
#define IDC_RENAME              5
#define IDC_COMMAND1            6       // the buttons of a type's commands 0 to 3
#define IDC_COMMAND2            7
#define IDC_COMMAND3            8
#define IDC_COMMAND4            9
#define IDC_TYPE_LIST           101
#define IDC_RESOURCE_LIST       102
#define IDC_PREVIEW             103
#define IDC_NAME                104

// The list editor's Edit menu and its accelerators
#define IDR_EDIT_RESOURCES      136

// The record dialog: templates 10000 (without a name field) and 10001 (with one)
#define IDD_RECORD              10000
#define IDD_RECORD_NAMED        10001
#define IDC_QUALITY_HIGHEST     122     // the radio group: Highest, Medium, Low
#define IDC_QUALITY_MEDIUM      123
#define IDC_QUALITY_LOW         124
#define IDC_RECORD              125     // bitmap buttons, named after their bitmaps
#define IDC_PAUSE               126
#define IDC_STOP                127
#define IDC_PLAY                128
#define IDC_LEVEL               129     // hidden: places the level picture
#define IDC_SOUND_NAME          130
#define IDC_MAX_TIME            156
#define IDC_TIME_LABEL          158
#define IDC_RECORD_LABEL        210
#define IDC_PROGRESS_FRAME      1000    // places the progress bar
#define IDC_TRIM                1001

// The input level pictures, from the quietest to the loudest
#define IDB_LEVEL0              10000
#define IDB_LEVEL1              10001
#define IDB_LEVEL2              10002
#define IDB_LEVEL3              10003
