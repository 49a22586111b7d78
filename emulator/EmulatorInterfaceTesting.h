#pragma once

// For tests only: each test starts as a fresh program would.
namespace talvero::testing {

/// Forgets the emulator started last, as a fresh program would.
void ForgetStartedEmulator();

}  // namespace talvero::testing
