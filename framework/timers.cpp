#include "framework/timers.h"

#include <map>

#include "framework/guard.h"

namespace fw {

namespace {

std::map<UINT_PTR, TTimer*>& Timers()
{
    static auto* map = new std::map<UINT_PTR, TTimer*>;
    return *map;
}

}  // namespace

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    auto it = Timers().find(id);
    if (it == Timers().end()) return;
    TTimer* timer = it->second;
    Guarded([&] { timer->OnTimer(timer); });
}

FW_IMPLEMENT_CLASS(TTimer)
{
    c.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
    c.Property("Interval", &TTimer::Interval, &TTimer::SetInterval);
    c.Property("OnTimer", &TTimer::OnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

void TTimer::Destroy()
{
    Stop();
    inherited::Destroy();
}

void TTimer::Stop()
{
    if (!id_) return;
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
}

// The timer runs while enabled, with an interval, outside layout reading
// and design mode. Its OnTimer may be assigned after it was enabled.
void TTimer::Update()
{
    Stop();
    if (!enabled_ || interval_ == 0 || Loading() || Designing()) return;
    id_ = SetTimer(nullptr, 0, interval_, TimerProc);
    if (id_) Timers()[id_] = this;
}

void TTimer::SetEnabled(bool v)
{
    if (v == enabled_ && (id_ != 0) == v) return;
    enabled_ = v;
    Update();
}

void TTimer::SetInterval(unsigned ms)
{
    if (ms == interval_) return;
    interval_ = ms;
    Update();
}

void TTimer::Loaded()
{
    inherited::Loaded();
    Update();
}

}  // namespace fw
