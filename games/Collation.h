#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvero {

/// The word order of the sorted lists: case-insensitive, hyphens and apostrophes left out of the
/// comparison, symbols (blank and "[" among them) before digits, digits before letters. Texts that
/// differ only in what is left out fall back to plain character order.
bool WordOrderLess(std::string_view a, std::string_view b);

/// The position at which `text` is inserted into an already sorted list to keep it sorted.
std::size_t SortedInsertPosition(const std::vector<std::string>& sorted, std::string_view text);

/// Inserts `text` into an already sorted list where it belongs and returns that position, at
/// which a window inserts the same entry into its list control.
int InsertSorted(std::vector<std::string>& sorted, const std::string& text);

}  // namespace talvero
