// Resource identifiers of limn.dll.
#pragma once

// String table
#define IDS_LEAVING_DEDICATED_SCANNING  1
#define IDS_PICTURE_IMPORT_FAILED       2
#define IDS_LEAVING_MENU_PROTECTION     3

// The "Dedicated Scanning" dialog; each button ends it with its id
#define IDD_DEDICATED_SCANNING          1000
#define IDC_DEDICATED_MOUSE             1001
#define IDC_DEDICATED_KEYBOARD          1002

// The two notices before menu protection starts
#define IDD_MENU_PROTECTION             1001
#define IDD_MENU_PROTECTION_REMINDER    1002

// The "Scanning Preferences" dialog
#define IDD_SCANNING_PREFS              1003
#define IDC_SCANNING_SOUNDS             152
#define IDC_ENABLE_SCANNING_KEYS        153
#define IDC_FLASH_HILITE                154
#define IDC_CONTINUOUS_SCANNING         1000
#define IDC_SCAN_COLOR_SWATCH           1004
#define IDC_PICK_SCAN_COLOR             1005
#define IDC_CANCEL_CYCLES               110
#define IDC_SCAN_SPEED                  112

// The "Switch Timing" dialog: a field for each time, with the arrows that step it
#define IDD_SWITCH_TIMING               1004
#define IDC_ACCEPTANCE_TIME             1010
#define IDC_ACCEPTANCE_TIME_ARROWS      1011
#define IDC_IGNORE_REPEAT               1012
#define IDC_IGNORE_REPEAT_ARROWS        1013
#define IDC_FIRST_ITEM_DELAY            1014
#define IDC_FIRST_ITEM_DELAY_ARROWS     1015
#define IDC_AUDITORY_SCANNING           1016
