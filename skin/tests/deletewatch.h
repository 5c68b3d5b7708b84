// Tells when a component is deleted: its teardown sends the free
// notification this asks for. A component let go inside one of its own
// messages is deleted only once they have returned, so a test can tell
// the two moments apart.
#pragma once

#include "framework/components.h"

namespace skin::test {

class TDeleteWatch : public fw::TComponent {
public:
    explicit TDeleteWatch(fw::TComponent* watched) : fw::TComponent(nullptr), watched_(watched)
    {
        watched->FreeNotification(this);
    }
    bool Deleted() const { return deleted_; }

    void Notification(fw::TComponent* component, fw::TOperation operation) override
    {
        if (operation == fw::opRemove && component == watched_) deleted_ = true;
        fw::TComponent::Notification(component, operation);
    }

private:
    fw::TComponent* watched_;
    bool deleted_ = false;
};

}  // namespace skin::test
