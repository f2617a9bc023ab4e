// Resource and command ids of QelMake. Plain definitions: the resource
// script includes this file too. The framework's own ids (new, open, save,
// the clipboard, the window arrangement, exit) are in commands/cmdids.h.
#pragma once

// ---- frames, templates, toolbars and menus ------------------------------------
#define IDR_MAINFRAME 128   // the main frame: menu, accelerators, icon, title
#define IDR_QELPRJTYPE 129  // both document templates: menu, accelerators, icon, document string
#define IDR_TOOLBAR_STANDARD 128
#define IDR_TOOLBAR_DRAW 130
#define IDR_TOOLBAR_ALIGN 141
#define IDR_MENU_TREE 136       // the project tree's pop-up: new picture, new folder
#define IDR_MENU_EVENTLINK 140  // the event-link list's pop-up
#define IDR_MENU_ALIGN 143      // the alignment drop-down
#define IDR_MENU_ZOOM 144       // the zoom drop-down

// ---- dialogs ------------------------------------------------------------------
#define IDD_ABOUTBOX 100
#define IDD_NEWPROJECT 133
#define IDD_NEWITEM 137  // new picture and new folder
#define IDD_PROPERTYPANEL 138
#define IDD_LOCALTAG 165  // add or modify a local tag

// ---- bitmaps (16-pixel images) ------------------------------------------------
#define IDB_SYSTEMTAG 134        // a system tag's row in the local-tag table (yellow)
#define IDB_LOCALTAG 135         // any other tag's row (green)
#define IDB_EVENTLINKS 153       // the event-link list's images, red mask
#define IDB_ATTRIBUTES 154       // the attribute list's images, red mask
#define IDB_PROJECTTREE 155      // the project tree's and the tabs' images, red mask
#define IDB_STANDARD_NORMAL 156  // the toolbars' images, magenta transparent
#define IDB_STANDARD_HOT 157
#define IDB_STANDARD_DISABLED 158
#define IDB_DRAW_NORMAL 159
#define IDB_DRAW_DISABLED 160
#define IDB_DRAW_HOT 161
#define IDB_ALIGN_NORMAL 162
#define IDB_ALIGN_DISABLED 163
#define IDB_ALIGN_HOT 164

// ---- control bars (the standard toolbar is the framework's AFX_IDW_TOOLBAR) ----
#define IDW_TOOLBAR_DRAW 0xE804
#define IDW_TOOLBAR_ALIGN 0xE805

// ---- controls -----------------------------------------------------------------
#define IDC_PROJECT_TREE 1001
#define IDC_WORKSPACE_BAR 1002
#define IDC_OUTPUT_BAR 1003
#define IDC_WORKSPACE_TABS 1005
#define IDC_OUTPUT_EDIT 1006
#define IDC_PROPERTY_PANEL 1007
#define IDC_EVENT_LINKS 1008
#define IDC_NAME 1100      // the name of a new project, picture or folder
#define IDC_LOCATION 1101  // a new project's location; a new item's folder
#define IDC_BROWSE 1102
#define IDC_NAME_LABEL 1103
#define IDC_ATTRIBUTES 1106
#define IDC_TAG_DESCRIPTION 1108  // the local-tag dialog; its name is IDC_NAME
#define IDC_TAG_UNIT 1109
#define IDC_TAG_INITIAL 1110
#define IDC_TAG_TYPE 1111
#define IDC_ABOUT_VERSION 1110

// ---- commands -----------------------------------------------------------------
#define ID_TOOL_SELECT 32771
#define ID_TOOL_POLYLINE 32772
#define ID_OPEN_LOCALTAGS 32774
#define ID_NEW_PICTURE 32775
#define ID_NEW_FOLDER 32776
#define ID_ZOOM_IN 32777
#define ID_ZOOM_OUT 32778
#define ID_ZOOM_100 32779
#define ID_SAVE_PICTURE 32781
#define ID_LINK_DIRECT 32782
#define ID_LINK_SCRIPT 32783
#define ID_TOOL_LINE 32784
#define ID_TOOL_TEXT 32785
#define ID_LINK_DELETE 32786
#define ID_TOOL_POLYGON 32789
#define ID_TOOL_RECT 32790
#define ID_TOOL_CURVE 32791
#define ID_TOOL_CLOSEDCURVE 32792
#define ID_TOOL_ELLIPSE 32793
#define ID_TOOL_ARROW 32794
#define ID_TOOL_PIPE 32795
#define ID_CONNECTION_SETTINGS 32796
#define ID_TOOL_TAGVALUE 32797
#define ID_TOOL_BUTTON 32798
#define ID_TOOL_CHECKBOX 32799
#define ID_TOOL_RADIO 32800
#define ID_TOOL_EDIT 32801
#define ID_TOOL_ACTIVEX 32802
#define ID_TOOL_IMAGE 32803
#define ID_SNAP_GRID 32804
#define ID_GROUP 32805
#define ID_UNGROUP 32806
#define ID_VIEW_WORKSPACE 32807
#define ID_VIEW_OUTPUT 32808
#define ID_TOOL_PLUGIN 32809
#define ID_TOOL_MULTITEXT 32810
#define ID_ALIGN_LEFT 32811
#define ID_ALIGN_TOP 32812
#define ID_ALIGN_RIGHT 32813
#define ID_ALIGN_BOTTOM 32814
#define ID_SPACE_HORZ 32815
#define ID_SPACE_VERT 32817
#define ID_COMPILE_PICTURE 32818
#define ID_COMPILE_PROJECT 32819
#define ID_PREVIEW 32820
#define ID_MAKE_SUBPICTURE 32821
#define ID_BREAK_SUBPICTURE 32822
#define ID_ALIGN_DROPDOWN 32823
#define ID_ZOOM_DROPDOWN 32824
#define ID_ROTATE 32825
#define ID_MIRROR_VERT 32826
#define ID_MIRROR_HORZ 32827
#define ID_ORDER_FORWARD 32828
#define ID_ORDER_BACKWARD 32829
#define ID_IMPORT_WMF 32830
#define ID_LOCALTAG_MODIFY 32831
#define ID_LOCALTAG_ADD 32832
#define ID_LOCALTAG_DELETE 32833

// Images of the drawing toolbar's bitmap beyond its buttons: the choices
// shown on the alignment and zoom drop-down buttons.
#define IMAGE_ALIGN_LEFT 35
#define IMAGE_ALIGN_TOP 36
#define IMAGE_ALIGN_RIGHT 37
#define IMAGE_ALIGN_BOTTOM 38
#define IMAGE_ZOOM_IN 39
#define IMAGE_ZOOM_OUT 40
#define IMAGE_ZOOM_100 41
