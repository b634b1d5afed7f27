// Resource identifiers of choiceboard.exe. The ids stay clear of the libraries' own,
// which the resource chain looks up after the executable's, and of the identifiers
// that the menu bar hands out to its items (from 1000 up).
#pragma once

// The board document's template: its strings (AFX_IDS_APP_TITLE of afxres.h is the
// main window's title).
#define IDR_BOARDTYPE           128
// The main frame's accelerators.
#define IDR_MAINFRAME           129
// The mapped-string table: the texts the libraries show by key.
#define IDR_MAPPED_STRINGS      130

// Commands of their own (the others are the framework's, afxres.h).
#define ID_EXIT_MENU_PROTECTION 0x8001
#define ID_EDIT_RESOURCES       0x8002

// Messages: on standard error while the command line is worked through, in a message
// box afterwards.
#define IDS_USAGE               200
#define IDS_NO_SAMPLE_SCREEN    201
#define IDS_CANNOT_READ         202
#define IDS_NOT_SCREEN_DOCUMENT 203
#define IDS_NO_SCREEN           204
#define IDS_NO_CHOICES          205
#define IDS_CANNOT_OPEN_LOG     206
#define IDS_NO_WINDOW           207
#define IDS_LINK_OUTSIDE        208

// Menu titles and item texts.
#define IDS_MENU_FILE           300
#define IDS_MENU_EDIT           301
#define IDS_MENU_SCANNING       302
#define IDS_MENU_OPTIONS        303
#define IDS_FILE_NEW            310
#define IDS_FILE_OPEN           311
#define IDS_FILE_CLOSE          312
#define IDS_FILE_SAVE           313
#define IDS_FILE_SAVE_AS        314
#define IDS_FILE_PRINT          315
#define IDS_FILE_EXIT           316
#define IDS_FILE_RECENT         317
#define IDS_EDIT_PASTE          320
#define IDS_EDIT_RESOURCES      321
#define IDS_SCANNING_PREFS      330
#define IDS_DEDICATED_SCANNING  331
#define IDS_SWITCH_TIMING       332
#define IDS_MENU_PROTECTION     340
// The names a new board gives its rows and blank choices ("%d" is the number).
#define IDS_NEW_CHOICE          350
#define IDS_NEW_ROW             351
