// The configuration file editor: the rewrite of the text, then on a real Default.uae.
#include "emulator/ConfigEditor.h"

#include "emulator/DefaultConfiguration.h"
#include "platform/Files.h"
#include "tests/support/AppFolderTest.h"
#include "tests/support/FileWorker.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace talvero {
namespace {

TEST(ConfigEditor, RewritesTheLastLineOfTheKeyAndKeepsEveryOther)
{
    const struct {
        const char *before, *key, *value, *after;
    } edits[] = {
        // The last line of the key, even a key alone, and every line end becomes CR LF.
        {"; c\r\nchipset=ocs\r\n\r\nx=1\rchipset=\rgfx=double", "chipset=", "aga",
         "; c\r\nchipset=ocs\r\n\r\nx=1\r\nchipset=aga\r\ngfx=double\r\n"},
        // Exact, case-sensitive, untrimmed, "=" included: no line here is the key's, so it is appended.
        {"Joyport1=a\r\n joyport1=b\r\njoyport10=c\r\nd=1", "joyport1=", "kbd2",
         "Joyport1=a\r\n joyport1=b\r\njoyport10=c\r\nd=1\r\njoyport1=kbd2\r\n"},
        // A lone LF stays inside its line; 8-bit text is kept byte for byte.
        {"a=Gr\xFC\xDF\nstill a\r\nb=2\r\n", "b=", "", "a=Gr\xFC\xDF\nstill a\r\nb=\r\n"},
        {"", "x=", "y", "x=y\r\n"},
    };
    for (const auto& edit : edits)
        EXPECT_EQ(edit.after, WithConfigValue(edit.before, edit.key, edit.value)) << edit.before;
}

class ConfigEditorTest : public test::AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        test::WriteFile(App(kConfigFile), "chipset=ocs\r\n");
    }
    int FailureOf(const std::vector<ConfigLine>& lines)
    {
        return test::ErrorNumberOf([&] { SetConfigValues(lines); });
    }
};

// A failed write leaves the file as it was (the replace's steps are tested in FileErrorsTest; a
// read-only file in StartGameTest); a missing file is not made.
TEST_F(ConfigEditorTest, WritesTheFileAndALeftoverDefaultNewGoes)
{
    test::WriteFile(App(kConfigTempFile), "stale content from an earlier failure");
    SetConfigValues({{"a=", "1"}, {"chipset=", "aga"}, {"a=", "2"}});  // in order
    EXPECT_EQ("chipset=aga\r\na=2\r\n", Config());
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
    // A line break would add lines of its own: refused, after the lines before it are written.
    EXPECT_EQ(5, FailureOf({{"b=", "1"}, {"c=", "x\ry"}, {"d=", "1"}}));
    EXPECT_EQ(5, FailureOf({{"chip\nset=", "1"}}));
    EXPECT_EQ("chipset=aga\r\na=2\r\nb=1\r\n", Config());
    std::filesystem::remove(App(kConfigFile));
    EXPECT_EQ(53, FailureOf({{"chipset=", "aga"}}));
    EXPECT_FALSE(test::Exists(App(kConfigFile)));
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
}

TEST_F(ConfigEditorTest, TwoRunningCopiesTakeTurnsTheFileStaysWholeAndNoChangeIsLost)
{
    test::WriteFile(App(kConfigFile), DefaultUaeTemplate());
    const auto whole = test::ConfigShape(DefaultUaeTemplate());
    std::atomic<int> running{2};
    std::vector<std::thread> copies;
    for (const char* key : {"cpu_speed=", "gfx_width="}) {
        copies.emplace_back([&, key] {
            EXPECT_EQ(0, test::WaitForChild(test::StartFileWorker({"config", folder.path(), key, "1000"})));
            --running;
        });
    }
    int torn = 0;
    while (running > 0) {
        torn += test::ConfigShape(ReadFileBytes(App(kConfigFile))) != whole;
        // A pause between looks: on Windows an open reader holds off the replace meanwhile.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    for (std::thread& copy : copies)
        copy.join();
    EXPECT_EQ(0, torn);
    EXPECT_EQ(whole, test::ConfigShape(Config()));
    EXPECT_EQ("1000", ConfigValue("cpu_speed="));
    EXPECT_EQ("1000", ConfigValue("gfx_width="));
    EXPECT_FALSE(test::Exists(App(kConfigTempFile)));
}

}  // namespace
}  // namespace talvero
