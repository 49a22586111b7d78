// The settings file on Linux: what may lie at its name, or at the earlier releases' name, instead
// of a file is never read with waiting and never replaced; the defaults apply, as for any
// unreadable setting.
#include "settings/QtSettingsBackend.h"
#include "tests/support/TestFolder.h"
#include "tests/support/posix/Fifo.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace talvero {
namespace {

TEST(QtSettingsFile, AFifoInPlaceOfTheSettingsCannotBeReadNorWrittenAndStaysAsItIs)
{
    const test::TestFolder config;
    const char* before = std::getenv("XDG_CONFIG_HOME");
    const std::string configBefore = before ? before : "";
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    // The file of earlier releases, with no settings file of our own yet: nothing is taken over.
    const std::string earlier = config / "Quorra.ini", file = config / "talvero/talvero.conf";
    ASSERT_EQ(0, ::mkfifo(earlier.c_str(), 0600));
    QString found;
    EXPECT_TRUE(test::FinishesWithoutWaiting(earlier, [&] { found = QtSettingsBackend::UserSettingsFile(); }));
    EXPECT_EQ(QString::fromStdString(file), found);
    EXPECT_FALSE(test::Exists(file));
    if (before)
        ::setenv("XDG_CONFIG_HOME", configBefore.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");

    test::MakeFolders(config / "talvero");
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
