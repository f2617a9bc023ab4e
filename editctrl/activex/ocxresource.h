// Resource ids of the ActiveX control picker.
#pragma once

#define IDD_OCX_SELECT 5010
#define IDC_OCX_LIST 5037
