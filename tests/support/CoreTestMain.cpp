#include "tests/support/FileWorker.h"
#include "tests/support/TestPlatform.h"

#include <cstring>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], talvero::test::kFileWorkerSwitch) == 0)
        return talvero::test::RunFileWorker(argc, argv);
    talvero::test::PrepareTestProcess(TALVERO_STANDIN);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
