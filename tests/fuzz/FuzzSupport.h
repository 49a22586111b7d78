#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the fuzz targets share: an AppFolder of their own and a host without a screen.
namespace talvero::fuzz {

/// A demo AppFolder in a fresh temporary folder (set as the AppFolder), removed at exit; the
/// demo CD of each title in `titles` lies in drive D:.
std::string MakeDemoAppFolder(const std::vector<std::string>& titles = {});

/// Cuts the input at NUL bytes into `count` pieces (missing ones are empty; the last keeps its NULs).
std::vector<std::string> Pieces(const std::uint8_t* data, std::size_t size, std::size_t count = 1);

/// Stops the run as a crash when a property does not hold.
void Require(bool holds, const char* what);

}  // namespace talvero::fuzz
