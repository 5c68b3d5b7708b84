// TStrings as an object of the framework: the runtime's string-list
// interface (rtl/classes.h) that published properties can hold, with a
// class test and Assign from any TPersistent string list. Combo box items
// implement it over their window (stdctrls.h); TStringList keeps its items
// in memory.
#pragma once

#include "framework/components.h"
#include "rtl/classes.h"

namespace fw {

class TStrings : public TPersistent, public rtl::TStrings {
    FW_CLASS(TStrings, TPersistent)
public:
    using rtl::TStrings::Assign;
    // From another string list; anything else as TPersistent does.
    void Assign(const TPersistent* source) override;
};

class TStringList : public TStrings {
    FW_CLASS(TStringList, TStrings)
public:
    int Count() const override { return list_.Count(); }
    std::string Get(int index) const override { return list_.Get(index); }
    void Put(int index, const std::string& s) override { list_.Put(index, s); }
    void* GetObject(int index) const override { return list_.GetObject(index); }
    void PutObject(int index, void* object) override { list_.PutObject(index, object); }
    void Insert(int index, const std::string& s) override { list_.Insert(index, s); }
    void Delete(int index) override { list_.Delete(index); }
    void Clear() override { list_.Clear(); }

private:
    rtl::TStringList list_;
};

}  // namespace fw
