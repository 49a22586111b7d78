#include "tests/support/Privileges.h"

#include <cstdio>
#include <cstdlib>
#include <grp.h>
#include <string>
#include <unistd.h>

namespace talvero::test {

void PrepareTestProcess()
{
    if (::geteuid() == 0 && !std::getenv("TALVERO_TESTS_KEEP_ROOT")) {
        const gid_t nogroup = 65534;
        const uid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nogroup) != 0 || ::setuid(nobody) != 0)
            std::fprintf(stderr, "warning: could not drop root privileges; permission tests will be skipped\n");
    }
    char home[] = "/tmp/talvero-home-XXXXXX";
    if (::mkdtemp(home)) {
        ::setenv("HOME", home, 1);
        ::setenv("XDG_RUNTIME_DIR", home, 1);
        ::setenv("XDG_CONFIG_HOME", home, 1);
    }
}

}  // namespace talvero::test
