#pragma once

// Resource numbers of Quillmont.exe. Dialog and control ids join here as the
// dialogs are built.
#define IDI_PROGRAM 128

// About dialog
#define IDD_ABOUT 100
#define IDC_HOME_PAGE 1023
#define IDC_ABOUT_TITLE 1028
