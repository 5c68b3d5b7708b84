// Persistent objects and components: ownership, names, state flags, and
// the notifications that keep references to freed components from
// dangling.
//
// A component is owned by its owner and freed with it. Components are
// freed with Free() (or by their owner), never with delete: Free runs the
// Destroy chain while the whole object still exists, so that owned
// components, windows and notifications are dealt with before any part of
// the object goes away. Code that holds a component without owner keeps it
// in a TOwnedPtr.
//
// A component whose own messages may free it (a window procedure of its
// own that runs a modal loop, in which anything can happen) marks each of
// them with a TBusyScope. A Free that comes while one is running only lets
// the component go (LetGo: it leaves its owner and whatever else reaches
// it); the Destroy chain and the memory wait until the outermost scope
// ends, so the frames still running on the component never find it gone.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/classes.h"
#include "rtl/sysutils.h"

namespace fw {

// Raised for a component name that is taken or no identifier.
class EComponentError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

class TPersistent : public TObject {
    FW_CLASS(TPersistent, TObject)
public:
    // Copies the source's state; raises EConvertError "Cannot assign a X
    // to a Y" when neither class knows how.
    virtual void Assign(const TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest) const;
};

enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning };
FW_ENUM(TComponentStateItem, "csLoading", "csReading", "csWriting", "csDestroying", "csDesigning")
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    FW_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);

    // Frees the component: the Destroy chain, then the memory. While the
    // component is busy (a TBusyScope of it lives) it is let go at once and
    // freed as the outermost scope ends.
    void Free();
    // Let go by a Free that came while it was busy, and not yet freed.
    bool LetGoPending() const { return letGo_; }
    bool Busy() const { return busy_ > 0; }

    // Marks the component busy for the scope's life: put at the top of each
    // procedure through which it handles a message of its own, and held by
    // a caller that goes on with the component after a call that may run a
    // loop of messages. Scopes nest; the outermost to end frees a component
    // that was let go meanwhile.
    class TBusyScope {
    public:
        explicit TBusyScope(TComponent* component) : component_(component) { ++component_->busy_; }
        ~TBusyScope();
        TBusyScope(const TBusyScope&) = delete;
        TBusyScope& operator=(const TBusyScope&) = delete;

    private:
        TComponent* component_;
    };

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    int ComponentIndex() const;
    // The owned component of that name (case-insensitive), or null.
    TComponent* FindComponent(std::string_view name) const;

    const std::string& Name() const { return name_; }
    // Raises EComponentError when the name is no identifier or the owner
    // already has a component of that name.
    virtual void SetName(const std::string& name);
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }
    bool Designing() const { return state_.Contains(csDesigning); }
    bool Loading() const { return state_.Contains(csLoading); }
    bool Reading() const { return state_.Contains(csReading); }
    bool Destroying() const { return state_.Contains(csDestroying); }
    void SetDesigning(bool value);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Asks for a notification when component is freed (and tells it the
    // same of this one).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Layout reading: csLoading and csReading are set while a layout is
    // read into the component; EndRead clears csReading, Loaded csLoading.
    void BeginRead();
    void EndRead();
    virtual void Loaded();
    // A layout places the component inside the component of the block
    // around it (a control on its parent, a menu item in its menu); false
    // when it cannot sit there. The base has no such place.
    virtual bool SetParentComponent(TComponent* parent)
    {
        (void)parent;
        return true;
    }

    // Told of components inserted into or removed from the owner, and of
    // components freed that asked for it. The base clears the root's
    // component fields that name a removed component and passes the
    // notification to every owned component.
    virtual void Notification(TComponent* component, TOperation operation);

protected:
    virtual ~TComponent();
    // The teardown chain: each class undoes its own state and then calls
    // inherited::Destroy(). TComponent's tells the components that asked,
    // frees the owned components (last first) and leaves the owner.
    virtual void Destroy();
    void DestroyComponents();
    // A Free while busy: the component undoes at once whatever lets others
    // reach it (window procedures, lists, its owner), so that nothing calls
    // it again, and leaves the rest of its teardown to Destroy, which runs
    // after this. Classes call inherited::LetGo() last; the base leaves
    // the owner.
    virtual void LetGo();

private:
    void MarkDestroying();
    void ValidateRename(TComponent* component, const std::string& newName) const;

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    int32_t tag_ = 0;
    TComponentState state_;
    bool freeing_ = false;
    bool letGo_ = false;
    int busy_ = 0;
};

struct ComponentDeleter {
    void operator()(TComponent* c) const
    {
        if (c) c->Free();
    }
};
template <class T>
using TOwnedPtr = std::unique_ptr<T, ComponentDeleter>;

template <class T>
void FreeAndNil(T*& component)
{
    T* c = component;
    component = nullptr;
    if (c) c->Free();
}

bool IsValidIdent(std::string_view name);

}  // namespace fw
