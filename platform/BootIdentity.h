#pragma once

#include <string>

namespace talvero {

/// A text that names the system's current boot: the same for every program until the machine
/// starts again, and different after that. "" when the system tells none.
std::string BootIdentity();

}  // namespace talvero
