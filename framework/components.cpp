#include "framework/components.h"

#include <algorithm>

#include "framework/guard.h"
#include "rtl/textcase.h"

namespace fw {

// ---------------------------------------------------------------------------
// TPersistent

FW_IMPLEMENT_CLASS(TPersistent) {}

void TPersistent::Assign(const TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw rtl::EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest) const
{
    throw rtl::EConvertError("Cannot assign a " + ClassName() + " to a " + dest->ClassName());
}

// ---------------------------------------------------------------------------
// TComponent

FW_IMPLEMENT_CLASS(TComponent)
{
    c.Property("Name", &TComponent::Name, &TComponent::SetName);
    c.Property("Tag", &TComponent::Tag, &TComponent::SetTag);
}

bool IsValidIdent(std::string_view name)
{
    if (name.empty()) return false;
    auto alpha = [](char ch) {
        return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_';
    };
    if (!alpha(name[0])) return false;
    return std::all_of(name.begin(), name.end(),
                       [&](char ch) { return alpha(ch) || (ch >= '0' && ch <= '9'); });
}

TComponent::TComponent(TComponent* owner)
{
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() = default;

void TComponent::Free()
{
    if (freeing_) return;
    if (busy_ > 0) {
        if (letGo_) return;
        letGo_ = true;
        MarkDestroying();
        LetGo();
        return;
    }
    freeing_ = true;
    MarkDestroying();
    Destroy();
    delete this;
}

TComponent::TBusyScope::~TBusyScope()
{
    // A scope ends as a message returns, or while an exception unwinds
    // through it: the teardown's own exceptions go to the application.
    if (--component_->busy_ == 0 && component_->letGo_) Guarded([this] { component_->Free(); });
}

void TComponent::LetGo()
{
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::MarkDestroying()
{
    if (state_.Contains(csDestroying)) return;
    state_.Include(csDestroying);
    for (TComponent* c : components_) c->MarkDestroying();
}

void TComponent::Destroy()
{
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        c->Free();
    }
}

int TComponent::ComponentIndex() const
{
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (rtl::SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::ValidateRename(TComponent* component, const std::string& newName) const
{
    if (newName.empty()) return;
    TComponent* other = FindComponent(newName);
    if (other && other != component)
        throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::SetName(const std::string& name)
{
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_) owner_->ValidateRename(this, name);
    name_ = name;
}

void TComponent::SetDesigning(bool value)
{
    if (value)
        state_.Include(csDesigning);
    else
        state_.Exclude(csDesigning);
    for (TComponent* c : components_) c->SetDesigning(value);
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this) return;
    if (component->owner_) component->owner_->RemoveComponent(component);
    ValidateRename(component, component->name_);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (!component || component->owner_ != this) return;
    Notification(component, opRemove);
    components_.erase(std::remove(components_.begin(), components_.end(), component),
                      components_.end());
    component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    auto& theirs = component->freeNotifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                        freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::BeginRead()
{
    state_.Include(csLoading);
    state_.Include(csReading);
}

void TComponent::EndRead() { state_.Exclude(csReading); }

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component) {
        RemoveFreeNotification(component);
        for (const TClass* cls = ClassType(); cls; cls = cls->Parent)
            for (const TFieldEntry& f : cls->Fields)
                if (f.Get(this) == component) f.Set(this, nullptr);
    }
    const std::vector<TComponent*> owned = components_;
    for (TComponent* c : owned) c->Notification(component, operation);
}

}  // namespace fw
