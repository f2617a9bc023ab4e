// Resource ids of the script editor: its dialog and rich edit control, the
// toolbar's images and its commands, whose strings hold each command's
// prompt and, after a line feed, its tooltip.
#pragma once

#define IDD_SCRIPT 5003
#define IDC_SCRIPT_EDIT 5018
#define IDC_SCRIPT_PICKER 1080
#define IDC_SCRIPT_TOOLBAR 5017

// Toolbar images, 16 by 16 pixels each, magenta transparent.
#define IDB_SCRIPT_TOOLS_DISABLED 5019
#define IDB_SCRIPT_TOOLS 5020
#define IDB_SCRIPT_TOOLS_HOT 5021

// Commands of the toolbar.
#define ID_SCRIPT_SAVE 32771
#define ID_SCRIPT_COPY 32772
#define ID_SCRIPT_PASTE 32773
#define ID_SCRIPT_CUT 32775
#define ID_SCRIPT_HELP 32776
#define ID_SCRIPT_TRIGGER 32777
#define ID_SCRIPT_COMPILE 32778
