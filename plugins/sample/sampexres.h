// Resource ids of Sampex.dll (sampex.rc).
#pragma once

// The tag query page "标签查询".
#define IDD_QUERY_TAG 6000
#define IDC_QUERY_PATTERN 6000  // the query string
#define IDC_QUERY_RUN 6001      // "查询"
#define IDC_QUERY_FRAME 6002    // marks the tag list's place
