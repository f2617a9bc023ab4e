// Resource ids of the link property pages: their templates, their controls
// and the picture tree's images. A control id means something only within
// its own page (5027 is the pointer's minimum and the fill's minimum, 5041
// the rotation step and the hyperlink target).
#pragma once

// Templates.
#define IDD_PAGE_EXP 5000
#define IDD_PAGE_TRIGGER 5001
#define IDD_PAGE_ACTCOLOR 5002
#define IDD_PAGE_OUTFMT 5007
#define IDD_PAGE_POINTER 5008
#define IDD_PAGE_PERFILL 5009
#define IDD_PAGE_TEXT 5011
#define IDD_PAGE_ROLL 5012
#define IDD_PAGE_SELPIC 5013

// The picture tree's images, 16 by 18 pixels each, red transparent: the root,
// a closed folder, an open folder, two spare images, a picture.
#define IDB_PAGE_PICTREE 5014

// CPageExp.
#define IDC_EXP_TEXT 5000
#define IDC_EXP_CHECK 5005
#define IDC_EXP_HELP 5006
#define IDC_EXP_NOTE 5036
#define IDC_EXP_PICKER 1080  // the tabbed picker, made by the page

// CPageTrigger.
#define IDC_TRIGGER_PICTURE 5010  // first of the radio group
#define IDC_TRIGGER_OWN 5007
#define IDC_TRIGGER_PERIOD 5008
#define IDC_TRIGGER_MS 5009

// CPageActColor.
#define IDC_COLOR_LEVELS 5011
#define IDC_COLOR_LEVELS_SPIN 5012
#define IDC_COLOR_STRIP 5013
#define IDC_COLOR_SEGMENT 5014
#define IDC_COLOR_SEGMENT_SPIN 5015
#define IDC_COLOR_LOWER 5016
#define IDC_COLOR_UPPER 5017

// CPageOutFmt.
#define IDC_OUTFMT_DECIMALS 5026

// CPagePointer.
#define IDC_POINTER_MIN 5027
#define IDC_POINTER_MIN_ANGLE 5028
#define IDC_POINTER_MAX 5029
#define IDC_POINTER_MAX_ANGLE 5030

// CPagePerFill: the radio group in tab order up, down, right, left.
#define IDC_PERFILL_UP 5029
#define IDC_PERFILL_DOWN 5030
#define IDC_PERFILL_LEFT 5031
#define IDC_PERFILL_RIGHT 5032
#define IDC_PERFILL_MIN 5027
#define IDC_PERFILL_MAX 5034
#define IDC_PERFILL_COLOR 5035

// CPageText.
#define IDC_TEXT_EDIT 5038

// CPageRoll.
#define IDC_ROLL_CONTINUOUS 5039  // first of the radio group
#define IDC_ROLL_SINGLE 5040
#define IDC_ROLL_STEP 5041

// CPageSelPic.
#define IDC_SELPIC_TARGET 5041
#define IDC_SELPIC_TREE 5042
