#include "games/GameProfiles.h"

#include <gtest/gtest.h>

#include <set>

namespace talvero {
namespace {

TEST(GameProfiles, ThirtyGamesEachTitleAndCodeOnce)
{
    const auto& profiles = GameProfiles();
    ASSERT_EQ(30u, profiles.size());
    std::set<std::string> titles, codes;
    for (const GameProfile& profile : profiles) {
        titles.insert(profile.title);
        codes.insert(profile.cacheCode);
        EXPECT_EQ(&profile, FindProfile(profile.title));
        EXPECT_EQ(4u, profile.cacheCode.size());
        EXPECT_EQ('\\', profile.identityFile.front());
        EXPECT_TRUE(profile.inCD32 || profile.inCDTV);
        EXPECT_EQ(profile.folders.back() == "Save" ? "Save" : "s", profile.folders.back());
    }
    EXPECT_EQ(30u, titles.size());
    EXPECT_EQ(30u, codes.size());
    EXPECT_EQ(nullptr, FindProfile("akira"));
    EXPECT_EQ(nullptr, FindProfile("Akira "));
}

TEST(GameProfiles, ListsAndTheGameInBoth)
{
    EXPECT_EQ(26u, TitlesOfList("CD32").size());
    EXPECT_EQ(5u, TitlesOfList("CDTV").size());
    EXPECT_TRUE(TitlesOfList("cd32").empty());
    const GameProfile* defender = FindProfile("Defender of the Crown 2");
    ASSERT_NE(nullptr, defender);
    EXPECT_TRUE(defender->inCD32 && defender->inCDTV);
    EXPECT_EQ("\\open.film", defender->identityFile);
}

TEST(GameProfiles, ParticularRows)
{
    const GameProfile& frontier = *FindProfile("Frontier - Elite 2");
    EXPECT_EQ(CopyMode::All, frontier.copyMode);
    EXPECT_FALSE(frontier.bootScript);
    EXPECT_EQ("cd0", frontier.volume);
    const GameProfile& gunship = *FindProfile("GunShip 2000");
    EXPECT_EQ(30, gunship.copyCount);
    EXPECT_EQ(11u, gunship.folders.size());
    EXPECT_EQ(kEmulator814, gunship.executable);
    EXPECT_TRUE(FindProfile("Guardian")->patch);
    EXPECT_EQ("nvram:", FindProfile("UFO - Enemy Unknown")->nvLocation);
    EXPECT_EQ("\\WV_Disk_1\\wv", FindProfile("Whale's Voyage")->identityFile);
}

}  // namespace
}  // namespace talvero
