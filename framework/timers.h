// TTimer: OnTimer every Interval milliseconds while Enabled, run by the
// message loop of the thread that made it.
#pragma once

#include "framework/winapi.h"

#include "framework/components.h"

namespace fw {

class TTimer : public TComponent {
    FW_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    TNotifyEvent OnTimer;

    void Loaded() override;

protected:
    void Destroy() override;

private:
    friend void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    void Update();
    void Stop();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    UINT_PTR id_ = 0;
};

}  // namespace fw
