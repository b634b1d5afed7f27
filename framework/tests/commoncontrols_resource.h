// Resource ids of the common-control tests' own resources (commoncontrols_tests.rc).
#pragma once

#define IDD_BIRDS       320     // a report list, a tree and a tab control with two pages
#define IDB_SWATCHES    321     // four 8-by-8 swatches side by side: red, green, blue, magenta

#define IDD_PAGE_BIRD   322     // property pages: a bird's name and whether it is rare
#define IDD_PAGE_COUNT  323     // ... and how many were seen (1 to 99)
#define IDS_PAGE_COUNT  1172    // the second page's tab
#define IDS_SHEET       1173    // the sheet's caption

#define IDC_BIRDLIST    1160
#define IDC_BIRDTREE    1161
#define IDC_BIRDTABS    1162
#define IDC_PAGE_NAME   1163    // the first page: a name
#define IDC_PAGE_LOUD   1164    // the second page: a check box

#define IDS_TIP_LIST    1170    // tool tip texts
#define IDS_TIP_TREE    1171
#define IDC_PAGE_BIRDNAME 1165
#define IDC_PAGE_RARE   1166
#define IDC_PAGE_COUNT  1167
