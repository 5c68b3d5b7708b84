// TStrings: the string-list interface of the framework, an object that
// published properties can hold (combo box items and the like). Items are
// 8-bit GBK strings, each with an untyped object pointer the list does not
// own.
//
// The runtime's string lists (rtl/classes.h) are not in the build yet; this
// interface has the same operations, so that it can take rtl::TStrings as
// its base once they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/components.h"

namespace fw {

class EStringListError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

class TStrings : public TPersistent {
    FW_CLASS(TStrings, TPersistent)
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s) = 0;
    virtual void* GetObject(int index) const = 0;
    virtual void PutObject(int index, void* object) = 0;
    // index may be Count() (append).
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Get(index); }
    int Add(const std::string& s);
    // First item equal to s, ASCII letters compared without case and
    // double-byte characters as their two bytes; -1 if none.
    int IndexOf(std::string_view s) const;
    std::vector<std::string> ToVector() const;
    void Assign(const TPersistent* source) override;

protected:
    [[noreturn]] static void IndexError(int index);
};

}  // namespace fw
