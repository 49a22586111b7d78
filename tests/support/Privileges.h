#pragma once

namespace talvero::test {

/// Tests run without root privileges, so that read-only files and folders behave as they do for
/// a user. Also gives the run a private HOME. Call first thing in main().
void PrepareTestProcess();

}  // namespace talvero::test
