// Resource ids of the view tests' resources (views_test.rc).
#pragma once

#define IDR_VIEWS       240     // the view programs' frame: title string and accelerators

// A command the frame's accelerators give (Ctrl+K)
#define ID_VIEWS_MARK   0x8210

// Form templates
#define IDD_NAMEFORM    340     // a child template with an edit, a number and a check box
#define IDD_POPUPFORM   341     // a popup template, which cannot be a view

#define IDC_FORMNAME    1201
#define IDC_FORMCOUNT   1202
#define IDC_FORMLOUD    1203
