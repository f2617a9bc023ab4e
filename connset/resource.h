// Resource ids of Nurvex.dll: its two dialogs, the row bitmap and its texts.
#pragma once

#define IDD_CONN_LIST 27000
#define IDB_CONN_ROW 27001
#define IDD_CONN_EDIT 27002

// Controls of the list dialog.
#define IDC_CONN_ROWS 27000
#define IDC_CONN_ADD 27001
#define IDC_CONN_MODIFY 27002
#define IDC_CONN_DELETE 27003

// Controls of the edit dialog.
#define IDC_CONN_HOST 27004
#define IDC_CONN_PORT 27005
#define IDC_CONN_ACCOUNT 27006
#define IDC_CONN_PASSWORD 27007

// Texts.
#define IDS_CONN_FULL 27100
#define IDS_CONN_SELECT 27101
#define IDS_CONN_ASK_DELETE 27102
#define IDS_CONN_NEED_HOST 27103
#define IDS_CONN_TITLE_INFO 27104
#define IDS_CONN_TITLE_ASK 27105
#define IDS_CONN_CAPTION_ADD 27106
#define IDS_CONN_CAPTION_MODIFY 27107
#define IDS_CONN_COLUMN_HOST 27108
#define IDS_CONN_COLUMN_PORT 27109
#define IDS_CONN_COLUMN_ACCOUNT 27110
#define IDS_CONN_COLUMN_PASSWORD 27111
