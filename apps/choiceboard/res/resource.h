// Resource identifiers of choiceboard.exe. The string ids stay clear of the libraries'
// own, which the resource chain looks up after the executable's.
#pragma once

// String table; AFX_IDS_APP_TITLE (afxres.h) is the window's title.
#define IDS_USAGE               200
#define IDS_NO_SAMPLE_SCREEN    201
#define IDS_CANNOT_READ         202
#define IDS_NOT_SCREEN_DOCUMENT 203
#define IDS_NO_SCREEN           204
#define IDS_NO_CHOICES          205
#define IDS_CANNOT_OPEN_LOG     206
#define IDS_NO_WINDOW           207
