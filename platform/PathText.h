#pragma once

#include <string>
#include <string_view>

// Small rules on the text of paths and names, kept in one place so that every caller splits,
// folds and trims the same way.
namespace talvero {

/// Either separator, as paths spelled for Windows and for Linux both arrive here.
inline constexpr std::string_view kAnySeparator = "/\\";

/// The folder that holds `path`: the text before its last separator ("a/b/c" -> "a/b", "a/b/" ->
/// "a/b"); "." for a bare name and the root itself ("/") for a name right in it.
std::string FolderOf(std::string_view path, std::string_view separators = kAnySeparator);

/// The text after the last separator ("Lemmings.cue"; "" after a trailing one); the whole text
/// when there is none.
std::string LastPartOf(std::string_view path, std::string_view separators = kAnySeparator);

/// The text with A-Z turned into a-z; every other byte stays as it is, whatever the locale.
std::string AsciiLower(std::string_view text);

/// The text with a-z turned into A-Z; every other byte stays as it is, whatever the locale.
std::string AsciiUpper(std::string_view text);

/// The text without the given blanks at either end.
std::string Trimmed(std::string_view text, std::string_view blanks = " \t");

}  // namespace talvero
