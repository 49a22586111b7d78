// The word order of the game lists and the NVRAM manager's list.
#include "games/Collation.h"
#include "games/GameProfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace talvero {
namespace {

std::vector<std::string> Sorted(const std::vector<std::string>& entries)
{
    std::vector<std::string> sorted;
    for (const std::string& entry : entries)
        sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(SortedInsertPosition(sorted, entry)), entry);
    return sorted;
}

const std::vector<std::string> kCD32 = {
    "Akira", "Alien Breed Special Edition '92", "Chambers of Shaolin", "Dark Seed", "Deep Core",
    "Defender of the Crown 2", "D-Generation", "F17 Challenge", "Fireforce", "Fly Harder", "Frontier - Elite 2",
    "Global Effect", "Gloom", "Guardian", "GunShip 2000", "IK+", "James Pond 2 - RoboCod", "Jungle Strike",
    "Mean Arenas", "Project-X Special Edition '93", "Qwak!", "Roadkill", "Speris Legacy", "Syndicate",
    "UFO - Enemy Unknown", "Whale's Voyage"};

TEST(Collation, TheCd32ListReadsInItsOrder)
{
    const auto titles = TitlesOfList("CD32");
    EXPECT_EQ(26u, titles.size());
    EXPECT_EQ(kCD32, Sorted(titles));
    auto shuffled = kCD32;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    EXPECT_EQ(kCD32, Sorted(shuffled));
}

TEST(Collation, TheCdtvListReadsInItsOrder)
{
    EXPECT_EQ((std::vector<std::string>{"Defender of the Crown 2", "Fantastic Voyage",
                                        "Indiana Jones and the Last Crusade", "Lemmings", "Turrican 2"}),
              Sorted(TitlesOfList("CDTV")));
}

TEST(Collation, BackupEntriesComeFirstAndHyphensAreLeftOut)
{
    const std::vector<std::string> expected = {
        "[Backup] Akira", "[Backup] Dark Seed", "[Backup] D-Generation", "[Backup] GunShip 2000",
        "[Backup] James Pond 2 - RoboCod", "[Backup] Syndicate", "[Backup] UFO - Enemy Unknown", "Akira", "Dark Seed",
        "D-Generation", "GunShip 2000", "James Pond 2 - RoboCod", "Syndicate", "UFO - Enemy Unknown"};
    auto added = std::vector<std::string>(expected.begin() + 7, expected.end());
    added.insert(added.end(), expected.begin(), expected.begin() + 7);
    EXPECT_EQ(expected, Sorted(added));
}

TEST(Collation, CaseIsIgnoredAndTiesFallBackToPlainOrder)
{
    EXPECT_TRUE(WordOrderLess("apple", "Banana"));
    EXPECT_TRUE(WordOrderLess("Apple", "banana"));
    EXPECT_FALSE(WordOrderLess("coop", "co-op") && WordOrderLess("co-op", "coop"));
    EXPECT_TRUE(WordOrderLess("F17 Challenge", "Fantastic Voyage"));
    EXPECT_TRUE(WordOrderLess("Fly Harder", "FlyCD"));
}

}  // namespace
}  // namespace talvero
