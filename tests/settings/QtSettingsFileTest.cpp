// The settings file on Linux: what may lie at its name instead of a file is never read with
// waiting and never replaced; the defaults apply, as for any unreadable setting.
#include "settings/QtSettingsBackend.h"
#include "tests/support/TestFolder.h"
#include "tests/support/posix/Fifo.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(QtSettingsFile, AFifoInPlaceOfTheSettingsCannotBeReadNorWrittenAndStaysAsItIs)
{
    const test::TestFolder config;
    const std::string file = config / "talvero.conf";
    ASSERT_EQ(0, ::mkfifo(file.c_str(), 0600));
    QtSettingsBackend backend(QString::fromStdString(file));
    std::optional<std::string> read = "<not read>";
    EXPECT_TRUE(test::FinishesWithoutWaiting(file, [&] { read = backend.Get(SettingKey::Frameskip); }));
    EXPECT_EQ(std::nullopt, read);  // every setting takes its default
    EXPECT_TRUE(test::FinishesWithoutWaiting(
        file, [&] { EXPECT_THROW(backend.Set(SettingKey::Frameskip, "False"), SettingsError); }));
    EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(file)));
}

}  // namespace
}  // namespace talvero
