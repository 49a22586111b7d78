#pragma once

#include <string>

namespace talvero {

/// A complete emulator configuration file with a line for every key Talvero sets: what a new
/// AppFolder starts with, and what the demo and the tests lay out.
std::string DefaultUaeTemplate();

}  // namespace talvero
