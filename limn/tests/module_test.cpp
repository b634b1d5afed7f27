// limn.dll's registration with the framework and its own string table.
#include "limn/app/LimnModule.h"
#include "limn/res/resource.h"

#include <gtest/gtest.h>

TEST(LimnModule, StringTableHoldsTheLibraryText)
{
    char szText[256];
    ASSERT_NE(0, ::LoadStringA(LimnResourceHandle(), IDS_LEAVING_DEDICATED_SCANNING, szText, sizeof(szText)));
    EXPECT_STREQ("Now leaving Dedicated Scanning mode.", szText);
}
