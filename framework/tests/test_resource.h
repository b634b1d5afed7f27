// Resource ids of the framework tests' own resources (framework_tests.rc).
#pragma once

#define IDR_TESTFRAME   200     // title string, menu, accelerators and icon of a frame
#define IDR_BARE        201     // a title string alone

#define ID_TEST_OPEN    1001
#define ID_TEST_SAVE    1002
#define ID_TEST_EXIT    1003
