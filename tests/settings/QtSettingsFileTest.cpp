// The settings file on Linux: what may lie at its name instead of a file is never read with
// waiting and never replaced; the defaults apply, as for any unreadable setting.
#include "app/StartGame.h"
#include "settings/QtSettingsBackend.h"
#include "tests/support/TestFolder.h"
#include "tests/support/posix/Fifo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace talvero {
namespace {

TEST(QtSettingsFile, AFifoInPlaceOfTheSettingsIsUnreadableAndStaysAsItIs)
{
    test::TestFolder config;
    const char* before = std::getenv("XDG_CONFIG_HOME");
    const std::string configBefore = before ? before : "";
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    // The file of earlier releases, with no settings file of our own yet.
    const std::string earlier = config / "Quorra.ini", file = config / "talvero/talvero.conf";
    ASSERT_EQ(0, ::mkfifo(earlier.c_str(), 0600));
    QString found;
    EXPECT_TRUE(test::FinishesWithoutWaiting(earlier, [&] { found = QtSettingsBackend::UserSettingsFile(); }));
    EXPECT_EQ(QString::fromStdString(file), found);
    EXPECT_FALSE(test::Exists(file));

    test::MakeFolders(config / "talvero");
    ASSERT_EQ(0, ::mkfifo(file.c_str(), 0600));
    const auto backend = std::make_unique<QtSettingsBackend>(QString::fromStdString(file));
    SetSettingsBackend(std::make_unique<QtSettingsBackend>(QString::fromStdString(file)));
    Switches read;
    read.frameskip = false;
    EXPECT_TRUE(test::FinishesWithoutWaiting(file, [&] { read = StoredSwitches(); }));
    EXPECT_TRUE(read.frameskip);  // the default
    EXPECT_TRUE(test::FinishesWithoutWaiting(file, [&] {
        EXPECT_THROW(backend->Set("Frameskip", "False"), SettingsError);
    }));
    EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(file)));
    SetSettingsBackend(std::make_unique<MemorySettingsBackend>());
    if (before)
        ::setenv("XDG_CONFIG_HOME", configBefore.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace talvero
