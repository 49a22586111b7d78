// The word order of the game lists and the NVRAM manager's list.
#include "games/Collation.h"

#include "games/GameProfiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace talvero {
namespace {

using Texts = std::vector<std::string>;

// Sorts by inserting one entry at a time; a second list is built from the returned positions,
// as a window builds its list control, and must come out the same.
Texts Sorted(const Texts& entries)
{
    Texts sorted, byPosition;
    for (const std::string& entry : entries)
        byPosition.insert(byPosition.begin() + InsertSorted(sorted, entry), entry);
    EXPECT_EQ(sorted, byPosition);
    return sorted;
}

TEST(Collation, TheListsReadInTheirOrderWhateverTheOrderOfInsertion)
{
    // clang-format off
    const Texts cd32 = {"Akira", "Alien Breed Special Edition '92", "Chambers of Shaolin", "Dark Seed", "Deep Core",
        "Defender of the Crown 2", "D-Generation", "F17 Challenge", "Fireforce", "Fly Harder", "Frontier - Elite 2",
        "Global Effect", "Gloom", "Guardian", "GunShip 2000", "IK+", "James Pond 2 - RoboCod", "Jungle Strike",
        "Mean Arenas", "Project-X Special Edition '93", "Qwak!", "Roadkill", "Speris Legacy", "Syndicate",
        "UFO - Enemy Unknown", "Whale's Voyage"};
    const Texts saved = {"Akira", "Dark Seed", "D-Generation", "GunShip 2000", "James Pond 2 - RoboCod",
        "Syndicate", "UFO - Enemy Unknown"};
    // clang-format on
    EXPECT_EQ(cd32, Sorted(TitlesOfList("CD32")));  // the CD32 list holds these 26 games
    EXPECT_EQ((Texts{"Defender of the Crown 2", "Fantastic Voyage", "Indiana Jones and the Last Crusade",
                     "Lemmings", "Turrican 2"}),
              Sorted(TitlesOfList("CDTV")));
    Texts shuffled = cd32;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    EXPECT_EQ(cd32, Sorted(shuffled));
    // The NVRAM list: the backups come first, though added after the save files.
    Texts nvram, added = saved;
    for (const std::string& title : saved)
        nvram.push_back("[Backup] " + title);
    added.insert(added.end(), nvram.begin(), nvram.end());
    nvram.insert(nvram.end(), saved.begin(), saved.end());
    EXPECT_EQ(nvram, Sorted(added));
}

// Each pair is in order and the reverse is not; each pair fails when its rule is broken.
TEST(Collation, EachRuleOnTitlesMadeForIt)
{
    const std::pair<const char*, const char*> ordered[] = {
        {"apple", "Banana"},   {"Apple", "banana"},      // case ignored
        {"XRay A", "X-Ray B"},                           // hyphens left out
        {"Its A", "It's B"},                             // apostrophes left out
        {"R!x", "R1x"},        {"R x", "R1x"},           // symbols (a blank among them) before digits
        {"R1x", "Rax"},        {"[Backup] Z", "Akira"},  // digits and symbols before letters
        {"Rz", "R\xC4"},                                 // 8-bit characters after letters
        {"co-op", "coop"},     {"Co-op", "co-op"},       // equal but for what is left out: plain order
    };
    for (const auto& [first, second] : ordered) {
        EXPECT_TRUE(WordOrderLess(first, second)) << first << " < " << second;
        EXPECT_FALSE(WordOrderLess(second, first)) << second << " < " << first;
    }
    EXPECT_FALSE(WordOrderLess("Akira", "Akira"));
}

}  // namespace
}  // namespace talvero
