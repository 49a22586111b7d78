#pragma once

#include <exception>

namespace talvero {

/// Runs a step whose failure must not stop what follows (the shutdown sequence, loading the
/// options): whatever it throws is dropped, and what it did before failing stays done.
template <typename Step>
void IgnoringFailure(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
        // The caller goes on whatever failed.
    }
}

}  // namespace talvero
