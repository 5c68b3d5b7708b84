// Dispatching the test thread's messages with a deadline, for tests that
// wait for a window to show, activate or paint.
#pragma once

#include "framework/winapi.h"

#include <functional>

namespace skin::test {

// Dispatches the thread's messages until done holds; false when it did not
// within ms milliseconds.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 3000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Dispatches the thread's messages for ms milliseconds.
inline void Pump(DWORD ms = 100)
{
    const DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start > ms; }, ms + 100);
}

}  // namespace skin::test
