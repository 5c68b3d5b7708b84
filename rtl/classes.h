// String lists: TStrings, the list interface that controls also implement
// (combo box items, memo lines), and TStringList, the plain list in memory.
// Items are 8-bit GBK strings; each item may carry an untyped object
// pointer that the list neither owns nor frees.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rtl/sysutils.h"

namespace rtl {

// An index outside the list: "List index out of bounds (<index>)".
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

class TStrings {
public:
    virtual ~TStrings() = default;

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

    // Appends and answers the new item's index.
    int Add(const std::string& s);
    int AddObject(const std::string& s, void* object);
    void InsertObject(int index, const std::string& s, void* object);
    void AddStrings(const TStrings& other);
    // Replaces the items (and their objects) by those of other.
    void Assign(const TStrings& other);

    // First item equal to s in the case rules of rtl/textcase.h; -1 if none.
    int IndexOf(std::string_view s) const;
    int IndexOfObject(const void* object) const;

    // Every item followed by CR LF.
    std::string Text() const;
    // Clears the list and adds one item per line: CR LF, a lone CR and a
    // lone LF each end a line, a final line break adds no empty item, and
    // a NUL byte ends the text.
    void SetText(std::string_view text);

    // Brackets around a batch of changes; a list shown by a control
    // repaints once at the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();

protected:
    // Called with true when the first BeginUpdate opens a batch and with
    // false when the matching EndUpdate closes it.
    virtual void SetUpdateState(bool /*updating*/) {}
    [[noreturn]] static void IndexError(int index);

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(const TStringList& other) { Assign(other); }
    TStringList& operator=(const TStringList& other)
    {
        if (this != &other) Assign(other);
        return *this;
    }

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override { items_.clear(); }

private:
    struct Item {
        std::string text;
        void* object = nullptr;
    };
    const Item& At(int index) const;
    Item& At(int index);

    std::vector<Item> items_;
};

}  // namespace rtl
