#include "rtl/classes.h"

#include "rtl/textcase.h"

namespace rtl {

void TStrings::IndexError(int index)
{
    throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

int TStrings::Add(const std::string& s)
{
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, void* object)
{
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& s, void* object)
{
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& other)
{
    BeginUpdate();
    try {
        const int n = other.Count();
        for (int i = 0; i < n; ++i) AddObject(other.Get(i), other.GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TStrings& other)
{
    if (&other == this) return;
    BeginUpdate();
    try {
        Clear();
        AddStrings(other);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const
{
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (SameText(Get(i), s)) return i;
    return -1;
}

int TStrings::IndexOfObject(const void* object) const
{
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

std::string TStrings::Text() const
{
    std::string out;
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(std::string_view text)
{
    BeginUpdate();
    try {
        Clear();
        size_t i = 0;
        while (i < text.size() && text[i] != '\0') {
            const size_t start = i;
            while (i < text.size() && text[i] != '\0' && text[i] != '\r' && text[i] != '\n') ++i;
            Add(std::string(text.substr(start, i - start)));
            if (i < text.size() && text[i] == '\r') ++i;
            if (i < text.size() && text[i] == '\n') ++i;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

const TStringList::Item& TStringList::At(int index) const
{
    if (index < 0 || index >= Count()) IndexError(index);
    return items_[static_cast<size_t>(index)];
}

TStringList::Item& TStringList::At(int index)
{
    if (index < 0 || index >= Count()) IndexError(index);
    return items_[static_cast<size_t>(index)];
}

std::string TStringList::Get(int index) const { return At(index).text; }
void TStringList::Put(int index, const std::string& s) { At(index).text = s; }
void* TStringList::GetObject(int index) const { return At(index).object; }
void TStringList::PutObject(int index, void* object) { At(index).object = object; }

void TStringList::Insert(int index, const std::string& s)
{
    if (index < 0 || index > Count()) IndexError(index);
    items_.insert(items_.begin() + index, Item{s, nullptr});
}

void TStringList::Delete(int index)
{
    At(index);
    items_.erase(items_.begin() + index);
}

}  // namespace rtl
