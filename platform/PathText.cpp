#include "platform/PathText.h"

namespace talvero {

std::string FolderOf(std::string_view path, std::string_view separators)
{
    const auto cut = path.find_last_of(separators);
    if (cut == std::string_view::npos)
        return ".";
    return std::string(path.substr(0, cut == 0 ? 1 : cut));
}

std::string LastPartOf(std::string_view path, std::string_view separators)
{
    const auto cut = path.find_last_of(separators);
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string Trimmed(std::string_view text, std::string_view blanks)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

}  // namespace talvero
