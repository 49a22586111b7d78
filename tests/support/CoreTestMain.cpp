#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    talvero::test::PrepareTestProcess(TALVERO_STANDIN);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
