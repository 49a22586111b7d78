#pragma once

namespace talvero {

/// The configuration part of the shutdown sequence: "filesystem=" back to the tmp volume,
/// drive mapping off, a leftover Default.new removed, all in one ConfigurationTurn. Every step
/// ignores failures.
void ResetConfigurationAtShutdown();

}  // namespace talvero
