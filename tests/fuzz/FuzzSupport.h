#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets share: an AppFolder of their own and a host without a screen.
namespace talvero::fuzz {

/// A demo AppFolder in a fresh temporary folder (set as the AppFolder), removed at exit; the
/// demo CD of each title in `titles` lies in drive D:.
std::string MakeDemoAppFolder(const std::vector<std::string>& titles = {});

/// The input as text.
std::string_view Text(const std::uint8_t* data, std::size_t size);

/// Cuts a text at NUL bytes into at most `count` pieces (missing ones are empty).
std::vector<std::string> Pieces(std::string_view text, std::size_t count);

/// Stops the run as a crash when a property does not hold.
void Require(bool holds, const char* what);

}  // namespace talvero::fuzz
