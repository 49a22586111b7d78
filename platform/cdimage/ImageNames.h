#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Names on CD images: how a path is split and how a name on the image is matched.
namespace talvero {

/// The extension of a file name in lower case, with its dot (".cue"), or "" without one.
std::string ImageExtension(std::string_view path);

/// Whether the name ends in .iso, .cue or .nrg, in any letter case.
bool HasCdImageExtension(std::string_view path);

/// The names of a path spelled with backslashes from the image's root, empty parts left out.
std::vector<std::string> SplitImagePath(std::string_view path);

/// The position of the name among `names` that stands for `wanted`: the exact spelling first,
/// then the same name without a version suffix (";1") and a trailing dot, then that regardless
/// of letter case. Of several equal candidates the first in sorted order wins.
std::optional<std::size_t> MatchImageName(const std::vector<std::string>& names, std::string_view wanted);

/// False for ".", "..", an empty name, and names holding a path separator or a NUL (a version
/// suffix left aside).
bool IsPlainImageName(std::string_view name);

}  // namespace talvero
