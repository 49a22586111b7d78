#pragma once

namespace talvero::test {

/// Tests run without root privileges, so that read-only files and folders behave as they do for
/// a user (when the unprivileged user can reach `neededProgram`). Also gives the run a private
/// HOME, removed at exit. Call first thing in main().
void PrepareTestProcess(const char* neededProgram);

}  // namespace talvero::test
