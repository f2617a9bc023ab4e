// Resource ids of the frame layer's tests.
#pragma once

#define IDR_TESTMAIN 128
#define IDR_TESTDOC 129
#define IDR_TESTBAR 130

#define ID_TEST_ROUTE 40001        // handled by the first target that has it
#define ID_TEST_PROBE 40002        // every target's update handler logs and passes it on
#define ID_TEST_RANGE_FIRST 40010  // four commands of one range handler
#define ID_TEST_RANGE_LAST 40013
#define ID_TEST_NOHANDLER 40020  // no target handles it
#define ID_TEST_CHECKED 40021    // enabled and checked
#define ID_TEST_DISABLED 40022   // a handler that its update handler disables
#define ID_TEST_MAINONLY 40023   // handled by the main frame alone
