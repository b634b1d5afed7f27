// The framework's resource ids: the application's title string, the framework's own
// prompts and the standard commands of menus and toolbars. Plain definitions, for
// resource scripts as well: a script that includes only this header (and its own ids)
// also gets the system's resource definitions (styles, IDOK, languages ...), as the
// resource compiler sees them.
#pragma once

#ifdef RC_INVOKED
  #include <winresrc.h>
#endif

// The resource type of a dialog's init data (DLGINIT in resource scripts)
#if !defined(RT_DLGINIT) && !defined(RC_INVOKED)
  #define RT_DLGINIT                MAKEINTRESOURCE(240)
#endif

// The id of controls that no code addresses: labels, group boxes, icons
#define IDC_STATIC                  (-1)

// Strings
#define AFX_IDS_APP_TITLE           0xE000
#define AFX_IDS_IDLEMESSAGE         0xE001

// Strings of documents and their file dialogs
#define AFX_IDS_OPENFILE            0xF000
#define AFX_IDS_SAVEFILE            0xF001
#define AFX_IDS_ALLFILTER           0xF002
#define AFX_IDS_UNTITLED            0xF003
#define AFX_IDS_SAVEFILECOPY        0xF004

// Printing: the printing dialog's texts and the file for "Print to file"
#define AFX_IDS_PRINTONPORT         0xF040
#define AFX_IDS_PRINTPAGENUM        0xF043
#define AFX_IDS_PRINTDEFAULTEXT     0xF045
#define AFX_IDS_PRINTDEFAULT        0xF046
#define AFX_IDS_PRINTFILTER         0xF047
#define AFX_IDS_PRINTCAPTION        0xF048
#define AFX_IDS_PRINTTOFILE         0xF049

// The printing dialog, shown while a view prints, and its controls
#define AFX_IDD_PRINTDLG            30722
#define AFX_IDC_PRINT_DOCNAME       201
#define AFX_IDC_PRINT_PRINTERNAME   202
#define AFX_IDC_PRINT_PORTNAME      203
#define AFX_IDC_PRINT_PAGENUM       204

// Prompts of the framework's own string table: failures of documents' files, of handlers
// and of dialog data exchange
#define AFX_IDP_INVALID_FILENAME    0xF100
#define AFX_IDP_FAILED_TO_OPEN_DOC  0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC  0xF102
#define AFX_IDP_ASK_TO_SAVE         0xF103
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF104
#define AFX_IDP_FAILED_TO_START_PRINT 0xF106
#define AFX_IDP_FAILED_TO_LAUNCH_HELP 0xF107
#define AFX_IDP_INTERNAL_FAILURE    0xF108
#define AFX_IDP_COMMAND_FAILURE     0xF109
#define AFX_IDP_PARSE_INT           0xF110
#define AFX_IDP_PARSE_REAL          0xF111
#define AFX_IDP_PARSE_INT_RANGE     0xF112
#define AFX_IDP_PARSE_REAL_RANGE    0xF113
#define AFX_IDP_PARSE_STRING_SIZE   0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON  0xF115
#define AFX_IDP_PARSE_BYTE          0xF116
#define AFX_IDP_PARSE_UINT          0xF117

// Printing: no printer installed
#define AFX_IDP_NO_PRINTER          0xF1E0

// The causes of file exceptions, AFX_IDP_FILE_NONE + CFileException::m_cause, and of
// archive exceptions, AFX_IDP_ARCH_NONE + CArchiveException::m_cause; %1 is the file
#define AFX_IDP_FILE_NONE           0xF1A0
#define AFX_IDP_FILE_GENERIC        0xF1A1
#define AFX_IDP_FILE_NOT_FOUND      0xF1A2
#define AFX_IDP_FILE_BAD_PATH       0xF1A3
#define AFX_IDP_FILE_TOO_MANY_OPEN  0xF1A4
#define AFX_IDP_FILE_ACCESS_DENIED  0xF1A5
#define AFX_IDP_FILE_INVALID_FILE   0xF1A6
#define AFX_IDP_FILE_REMOVE_CURRENT 0xF1A7
#define AFX_IDP_FILE_DIR_FULL       0xF1A8
#define AFX_IDP_FILE_BAD_SEEK       0xF1A9
#define AFX_IDP_FILE_HARD_IO        0xF1AA
#define AFX_IDP_FILE_SHARING        0xF1AB
#define AFX_IDP_FILE_LOCKING        0xF1AC
#define AFX_IDP_FILE_DISKFULL       0xF1AD
#define AFX_IDP_FILE_EOF            0xF1AE

#define AFX_IDP_ARCH_NONE           0xF1B0
#define AFX_IDP_ARCH_GENERIC        0xF1B1
#define AFX_IDP_ARCH_READONLY       0xF1B2
#define AFX_IDP_ARCH_ENDOFFILE      0xF1B3
#define AFX_IDP_ARCH_WRITEONLY      0xF1B4
#define AFX_IDP_ARCH_BADINDEX       0xF1B5
#define AFX_IDP_ARCH_BADCLASS       0xF1B6
#define AFX_IDP_ARCH_BADSCHEMA      0xF1B7

// File commands
#define ID_FILE_NEW                 0xE100
#define ID_FILE_OPEN                0xE101
#define ID_FILE_CLOSE               0xE102
#define ID_FILE_SAVE                0xE103
#define ID_FILE_SAVE_AS             0xE104
#define ID_FILE_PAGE_SETUP          0xE105
#define ID_FILE_PRINT_SETUP         0xE106
#define ID_FILE_PRINT               0xE107
#define ID_FILE_PRINT_DIRECT        0xE108
#define ID_FILE_PRINT_PREVIEW       0xE109
#define ID_FILE_MRU_FIRST           0xE110
#define ID_FILE_MRU_FILE1           0xE110
#define ID_FILE_MRU_FILE2           0xE111
#define ID_FILE_MRU_FILE3           0xE112
#define ID_FILE_MRU_FILE4           0xE113
#define ID_FILE_MRU_FILE5           0xE114
#define ID_FILE_MRU_FILE6           0xE115
#define ID_FILE_MRU_FILE7           0xE116
#define ID_FILE_MRU_FILE8           0xE117
#define ID_FILE_MRU_FILE9           0xE118
#define ID_FILE_MRU_FILE10          0xE119
#define ID_FILE_MRU_FILE11          0xE11A
#define ID_FILE_MRU_FILE12          0xE11B
#define ID_FILE_MRU_FILE13          0xE11C
#define ID_FILE_MRU_FILE14          0xE11D
#define ID_FILE_MRU_FILE15          0xE11E
#define ID_FILE_MRU_FILE16          0xE11F
#define ID_FILE_MRU_LAST            0xE11F

// Edit commands
#define ID_EDIT_CLEAR               0xE120
#define ID_EDIT_CLEAR_ALL           0xE121
#define ID_EDIT_COPY                0xE122
#define ID_EDIT_CUT                 0xE123
#define ID_EDIT_FIND                0xE124
#define ID_EDIT_PASTE               0xE125
#define ID_EDIT_PASTE_LINK          0xE126
#define ID_EDIT_PASTE_SPECIAL       0xE127
#define ID_EDIT_REPEAT              0xE128
#define ID_EDIT_REPLACE             0xE129
#define ID_EDIT_SELECT_ALL          0xE12A
#define ID_EDIT_UNDO                0xE12B
#define ID_EDIT_REDO                0xE12C

// Window commands
#define ID_WINDOW_NEW               0xE130
#define ID_WINDOW_ARRANGE           0xE131
#define ID_WINDOW_CASCADE           0xE132
#define ID_WINDOW_TILE_HORZ         0xE133
#define ID_WINDOW_TILE_VERT         0xE134
#define ID_WINDOW_SPLIT             0xE135
// The commands of a Window menu: the popup that lists the MDI children has one
#define AFX_IDM_WINDOW_FIRST        0xE130
#define AFX_IDM_WINDOW_LAST         0xE13F
// The MDI children's items in the Window menu, given by the MDI client
#define AFX_IDM_FIRST_MDICHILD      0xFF00

// The dialog choosing a new document's type among several templates, and its list
#define AFX_IDD_NEWTYPEDLG          30721
#define AFX_IDC_LISTBOX             100

// Control ids of a frame's panes: its view, or the MDI client
#define AFX_IDW_PANE_FIRST          0xE900
#define AFX_IDW_PANE_LAST           0xE9FF

// Control ids of a frame's control bars; the bars' show and hide commands
// (ID_VIEW_TOOLBAR ...) have the same ids as the bars
#define AFX_IDW_CONTROLBAR_FIRST    0xE800
#define AFX_IDW_CONTROLBAR_LAST     0xE8FF
#define AFX_IDW_TOOLBAR             0xE800
#define AFX_IDW_STATUS_BAR          0xE801
// The sides of DockControlBar
#define AFX_IDW_DOCKBAR_TOP         0xE81B
#define AFX_IDW_DOCKBAR_LEFT        0xE81C
#define AFX_IDW_DOCKBAR_RIGHT       0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM      0xE81E

// Application and help commands
#define ID_APP_ABOUT                0xE140
#define ID_APP_EXIT                 0xE141
#define ID_HELP_INDEX               0xE142
#define ID_HELP_FINDER              0xE143
#define ID_HELP_USING               0xE144
#define ID_CONTEXT_HELP             0xE145
#define ID_HELP                     0xE146
#define ID_DEFAULT_HELP             0xE147
#define ID_NEXT_PANE                0xE150
#define ID_PREV_PANE                0xE151

// Separators of menus, toolbars and status bars
#define ID_SEPARATOR                0

// The status bar's indicators of the keyboard's state and modes
#define ID_INDICATOR_EXT            0xE700
#define ID_INDICATOR_CAPS           0xE701
#define ID_INDICATOR_NUM            0xE702
#define ID_INDICATOR_SCRL           0xE703
#define ID_INDICATOR_OVR            0xE704
#define ID_INDICATOR_REC            0xE705
#define ID_INDICATOR_KANA           0xE706

// View commands
#define ID_VIEW_TOOLBAR             0xE800
#define ID_VIEW_STATUS_BAR          0xE801

// The buttons and the tab control of a property sheet, as the system's sheet numbers them
#define AFX_IDC_TAB_CONTROL         0x3020
#define ID_APPLY_NOW                0x3021
#define ID_WIZBACK                  0x3023
#define ID_WIZNEXT                  0x3024
#define ID_WIZFINISH                0x3025
