// The exception boundary of every callback the system calls (window
// procedures, hooks, timers): no C++ exception crosses it. The exception
// in flight is handed to the application's handler, which shows its text
// in a message box while the message loop goes on.
#pragma once

#include <exception>
#include <utility>

namespace fw {

// Call from inside a catch block: hands the current exception to
// Application->HandleException. Never throws.
void HandleCallbackException() noexcept;

// Runs f; an exception is handled as above and fallback is answered.
template <class F, class R>
R Guarded(F&& f, R fallback) noexcept
{
    try {
        return std::forward<F>(f)();
    } catch (...) {
        HandleCallbackException();
        return fallback;
    }
}

template <class F>
void Guarded(F&& f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (...) {
        HandleCallbackException();
    }
}

}  // namespace fw
