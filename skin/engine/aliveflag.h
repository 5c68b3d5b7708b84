// Whether an object is still there after a call that may run a loop of
// messages (a control's click showing a modal box, a popup menu, a native
// tracking loop), in which the object may be freed: the object holds one
// of these, and code that goes on with the object after such a call makes
// the call through Survives.
#pragma once

#include <memory>

namespace skin {

class TAliveFlag {
public:
    TAliveFlag() = default;
    TAliveFlag(const TAliveFlag&) = delete;
    TAliveFlag& operator=(const TAliveFlag&) = delete;
    ~TAliveFlag() { End(); }

    // Runs the call; true when the holder is still there after it (nothing
    // of the holder may be touched otherwise).
    template <class F>
    [[nodiscard]] bool Survives(F&& call) const
    {
        const std::shared_ptr<const bool> alive = alive_;
        call();
        return *alive;
    }
    // The holder counts as gone from now on (a holder whose teardown runs
    // before its members are destroyed).
    void End() { *alive_ = false; }
    bool Lives() const { return *alive_; }

private:
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace skin
