#pragma once

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <future>
#include <string>
#include <unistd.h>

namespace talvero::test {

/// Runs `step` and tells whether it ended within a few seconds although a FIFO lies at `fifo`.
/// When it waits on the FIFO, the FIFO is opened from both ends so that it ends after all and
/// the test can go on.
inline bool FinishesWithoutWaiting(const std::string& fifo, const std::function<void()>& step)
{
    auto done = std::async(std::launch::async, step);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
        done.get();
        return true;
    }
    std::signal(SIGPIPE, SIG_IGN);
    const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    done.wait_for(std::chrono::seconds(1));  // a writer writes into the pipe while it is open
    ::close(fd);                             // a reader sees its end
    done.wait();
    return false;
}

}  // namespace talvero::test
