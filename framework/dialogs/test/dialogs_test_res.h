// Resource ids of the dialog tests (the program and its test DLL).
#pragma once

#define IDD_PLAIN 100
#define IDD_FIELDS 101
#define IDD_NESTING 102
#define IDD_CHILD 103
#define IDS_OWN_TEXT 200

#define IDC_PLAIN_EDIT 1010
#define IDC_PLAIN_OTHER 1011
#define IDC_PLAIN_NOTE 1012

#define IDC_INT 1001
#define IDC_UINT 1002
#define IDC_DOUBLE 1003
#define IDC_TEXT 1004
#define IDC_RADIO1 1005
#define IDC_RADIO2 1006
#define IDC_RADIO3 1007
#define IDC_CHECK 1008
#define IDC_COMBO 1009

#define IDC_NEST_OPEN 1020
#define IDC_CHILD_FIRST 1030
#define IDC_CHILD_SECOND 1031
