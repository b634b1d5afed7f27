// Resource identifiers of limn's tests.
#pragma once

#define IDR_TEST_MAINFRAME  500
#define ID_TEST_CLOSE       501
#define ID_TEST_UNDO        502
#define ID_TEST_GO          503
