#include "tests/support/FileWorker.h"
#include "tests/support/TestPlatform.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (argc > 1 && argv[1] == std::string(talvero::test::kFileWorkerSwitch))
        return talvero::test::RunFileWorker(argc, argv);
    talvero::test::PrepareTestProcess(TALVERO_STANDIN);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
