#include "games/Collation.h"

#include <algorithm>
#include <cctype>

namespace talvero {

namespace {

bool IsIgnored(char c)
{
    return c == '-' || c == '\'';
}

// Symbols first, then digits, then letters (either case alike), then 8-bit characters.
int SortWeight(char raw)
{
    const auto c = static_cast<unsigned char>(raw);
    if (c >= 0x80)
        return 0x300 + c;
    if (std::isalpha(c))
        return 0x200 + std::tolower(c);
    if (std::isdigit(c))
        return 0x100 + c;
    return c;
}

std::vector<int> Weights(std::string_view text)
{
    std::vector<int> weights;
    weights.reserve(text.size());
    for (char c : text) {
        if (!IsIgnored(c))
            weights.push_back(SortWeight(c));
    }
    return weights;
}

}  // namespace

bool WordOrderLess(std::string_view a, std::string_view b)
{
    const auto wa = Weights(a);
    const auto wb = Weights(b);
    if (wa != wb)
        return std::lexicographical_compare(wa.begin(), wa.end(), wb.begin(), wb.end());
    return a < b;
}

std::size_t SortedInsertPosition(const std::vector<std::string>& sorted, std::string_view text)
{
    const auto at = std::upper_bound(
        sorted.begin(), sorted.end(), text,
        [](std::string_view t, const std::string& entry) { return WordOrderLess(t, entry); });
    return static_cast<std::size_t>(at - sorted.begin());
}

int InsertSorted(std::vector<std::string>& sorted, const std::string& text)
{
    const std::size_t at = SortedInsertPosition(sorted, text);
    sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(at), text);
    return static_cast<int>(at);
}

}  // namespace talvero
