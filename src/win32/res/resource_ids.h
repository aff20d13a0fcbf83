#pragma once

// Resource numbers of Quillmont.exe. Dialog and control ids join here as the
// dialogs are built.
#define IDI_PROGRAM 128

// About dialog
#define IDD_ABOUT 100
#define IDC_HOME_PAGE 1023
#define IDC_ABOUT_TITLE 1028

// Setup dialog
#define IDD_SETUP 201
#define IDC_J2SE_LIST 1000
#define IDC_J2SE_ADD 1001
#define IDC_J2SE_EDIT 1002
#define IDC_J2SE_DELETE 1003
#define IDC_J2SE_SCAN 1004
#define IDC_J2ME_LIST 1005
#define IDC_J2ME_ADD 1006
#define IDC_J2ME_EDIT 1007
#define IDC_J2ME_DELETE 1008
#define IDC_J2ME_SCAN 1009
#define IDC_J2SE_ACTION 1010
#define IDC_J2ME_ACTION 1011
#define IDC_J2SE_COPY 1012
#define IDC_J2ME_COPY 1013
#define IDC_ABOUT_LINK 1024
#define IDC_UPDATE_LINK 1025
#define IDC_ASSOCIATIONS_LINK 1026
#define IDT_SCAN_HINT 100

// Starter edit dialogs
#define IDD_J2SE_STARTER 202
#define IDD_J2ME_STARTER 207
#define IDC_STARTER_NAME 1011
#define IDC_STARTER_EXECUTABLE 1013
#define IDC_STARTER_BROWSE 1014
#define IDC_STARTER_ARGUMENTS 1015
#define IDC_STARTER_SNIPPETS 1026
#define IDC_STARTER_FOLDER 1060
#define IDC_STARTER_NOTE 1061

// Starter selection dialogs
#define IDD_J2SE_SELECT 204
#define IDD_J2ME_SELECT 208
#define IDC_SELECT_LIST 1012
#define IDC_SELECT_SETUP 1013
// IDC_ABOUT_LINK and IDC_UPDATE_LINK as in the setup dialog

// JAD size dialog
#define IDD_JAD_SIZE 209
#define IDC_SIZE_TEMPORARY 1013
#define IDC_SIZE_TEXT 1022

// Scan progress window and scan results dialog
#define IDD_SCAN_PROGRESS 205
#define IDC_SCAN_PROGRESS_TEXT 1016
#define IDD_SCAN_RESULTS 206
#define IDC_SCAN_CHECK_ALL 1013
#define IDC_SCAN_UNCHECK_ALL 1014
#define IDC_SCAN_LIST 1018
#define IDC_SCAN_EXECUTABLE 1019
#define IDC_SCAN_ARGUMENTS 1020
#define IDC_SCAN_SHOW_NONMAIN 1021

// Update check
#define IDD_UPDATE_CHECK 211
#define IDC_UPDATE_PROGRESS 1027
