// Resource ids of the framework tests' own resources (framework_tests.rc).
#pragma once

#define IDR_TESTFRAME   200     // title string, menu, accelerators and icon of a frame
#define IDR_BARE        201     // a title string alone
#define IDR_NOTEMAIN    210     // the MDI program's main frame: title and menu
#define IDR_NOTETYPE    211     // its note documents: document string, menu, accelerators
#define IDR_PLAINTYPE   212     // its plain documents: a document string alone
#define IDR_SDINOTE     213     // a single-document program's frame and document string
#define IDR_BARSFRAME   220     // a frame with bars: title, menu, toolbar and its bitmap
#define IDR_BARSWORDS   221     // a toolbar in the resource compiler's layout, and its bitmap
#define IDR_BARSBAD     222     // a toolbar whose count runs past its data, and a bitmap
#define IDR_BARSNOBMP   223     // a toolbar without a bitmap

// Commands that each level of the MDI program's route takes when it is its own
#define ID_ROUTE_VIEW   0x8201
#define ID_ROUTE_DOC    0x8202
#define ID_ROUTE_CHILD  0x8203
#define ID_ROUTE_MAIN   0x8204
#define ID_ROUTE_APP    0x8205
#define ID_ROUTE_NONE   0x8206

// The bar program's commands: paint the view in a colour
#define ID_BARS_RED     0x8301
#define ID_BARS_GREEN   0x8302
#define ID_BARS_BLUE    0x8303

#define ID_TEST_OPEN    1001
#define ID_TEST_SAVE    1002
#define ID_TEST_EXIT    1003

// Dialogs
#define IDD_DATA        300     // data exchange with every kind of control
#define IDD_TABS        301     // a modeless dialog of three tab stops
#define IDD_BUTTONS     302     // bitmap buttons, a slider and a progress bar
#define IDD_NOTES       303     // a multi-line edit, and a Cancel button
#define IDD_PICKS       304     // a combo box and a list box filled by dialog-init data
#define IDD_BADINIT     305     // dialog-init data cut short

#define IDC_NAME        1101
#define IDC_COUNT       1102
#define IDC_AMOUNT        1103
#define IDC_RATIO       1104
#define IDC_LOUD        1105
#define IDC_LOW         1106
#define IDC_LABEL       1107
#define IDC_MEDIUM      1108
#define IDC_HIGH        1109
#define IDC_LIST        1110
#define IDC_AFTER       1111
#define IDC_FIRST       1120
#define IDC_SECOND      1121
#define IDC_THIRD       1122
#define IDC_PLAY        1130
#define IDC_STOP        1131
#define IDC_SPEED       1132
#define IDC_PROGRESS    1133
#define IDC_NOTES       1140
#define IDC_COLOUR      1150
#define IDC_SHAPES      1151

// A command of the menus, in the range that dialogs pass on to their owner
#define ID_TEST_ROUTED  0x8101
