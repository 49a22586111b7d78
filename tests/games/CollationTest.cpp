// The word order of the game lists and the NVRAM manager's list (whose window test shows entries
// inserted in that order).
#include "games/Collation.h"

#include <gtest/gtest.h>

namespace talvero {
namespace {

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
