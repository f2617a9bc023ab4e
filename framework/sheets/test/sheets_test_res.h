// Resource ids of the property sheet tests.
#pragma once

#define IDD_PAGE_ONE 300
#define IDD_PAGE_TWO 301
#define IDD_PAGE_THREE 302

#define IDC_PAGE_VALUE 3001
#define IDC_PAGE_LABEL 3002
