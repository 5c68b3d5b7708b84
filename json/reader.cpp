// ReadJson: a lenient reader. Between elements and members the comma is
// optional and one trailing comma is accepted; a number may start with '+';
// text after the value is ignored. Anything else that is not JSON fails,
// and every failure gives nil.
#include <cstring>
#include <vector>

#include "json/float_text.h"
#include "json/orvjson.h"

namespace json {

class TorvJSONreader {
public:
    explicit TorvJSONreader(std::string_view text)
        : s_(reinterpret_cast<const unsigned char*>(text.data())), n_(text.size())
    {}

    // Each reader below starts at p (blanks first); on success it moves p
    // past what it read, on failure it leaves p alone and frees what it made.
    TorvJSONbase* ReadValue(size_t& p, int depth);
    bool Failed() const { return failed_; }

private:
    void SkipBlanks(size_t& p) const
    {
        while (p < n_ && s_[p] <= 0x20) ++p;
    }
    bool Matches(size_t p, const char* word, size_t length) const
    {
        return n_ - p >= length && std::memcmp(s_ + p, word, length) == 0;
    }
    bool IsDigitAt(size_t p) const { return p < n_ && s_[p] >= '0' && s_[p] <= '9'; }

    TorvJSONbase* ReadNumber(size_t& p);
    TorvJSONbase* ReadArray(size_t& p, int depth);
    TorvJSONbase* ReadObject(size_t& p, int depth);

    // The children read so far at one depth; freed unless moved out. The
    // lists are kept by depth and reused, so that each child list is
    // allocated once, at its final size.
    class Scratch {
    public:
        Scratch(TorvJSONreader& reader, int depth)
            : lists_(reader.scratch_), depth_(static_cast<size_t>(depth))
        {
            if (lists_.size() <= depth_) lists_.resize(depth_ + 1);
        }
        ~Scratch()
        {
            for (TorvJSONbase* node : Nodes()) delete node;
            Nodes().clear();
        }
        // Fetched each time: deeper levels may grow the outer list.
        std::vector<TorvJSONbase*>& Nodes() { return lists_[depth_]; }
        void MoveTo(std::vector<TorvJSONbase*>& children)
        {
            children.assign(Nodes().begin(), Nodes().end());
            Nodes().clear();
        }

    private:
        std::vector<std::vector<TorvJSONbase*>>& lists_;
        size_t depth_;
    };
    std::vector<std::vector<TorvJSONbase*>> scratch_;

    bool ReadMember(size_t& p, int depth, TorvJSONobject& object, Scratch& members);
    bool ReadString(size_t& p, std::u16string& value);
    bool Unescape(size_t begin, size_t end, std::string& out);

    const unsigned char* s_;
    size_t n_;
    // A conversion error (a number beyond range, a \u escape that is no
    // hexadecimal number) ends the whole read.
    bool failed_ = false;
};

namespace {

// The body as UTF-8 of one- to three-byte sequences, each giving one 16-bit
// unit. A broken or cut-off sequence makes the whole value empty.
void DecodeUtf8(const unsigned char* b, size_t length, std::u16string& out)
{
    out.clear();
    out.reserve(length);
    auto continuation = [&](size_t i) { return i < length && (b[i] & 0xC0) == 0x80; };
    size_t i = 0;
    while (i < length) {
        const unsigned c = b[i++];
        if (c < 0x80) {
            out.push_back(static_cast<char16_t>(c));
            continue;
        }
        unsigned unit = c & 0x3F;
        bool ok = true;
        if (unit & 0x20) {
            ok = continuation(i);
            if (ok) unit = (unit << 6) | (b[i++] & 0x3F);
        }
        if (ok) ok = continuation(i);
        if (!ok) {
            out.clear();
            return;
        }
        unit = (unit << 6) | (b[i++] & 0x3F);
        out.push_back(static_cast<char16_t>(unit));
    }
}

int HexDigit(unsigned char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void PutUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 + (code >> 6)));
        out.push_back(static_cast<char>(0x80 + (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 + (code >> 12)));
        out.push_back(static_cast<char>(0x80 + ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 + (code & 0x3F)));
    }
}

}  // namespace

TorvJSONbase* TorvJSONreader::ReadValue(size_t& p, int depth)
{
    size_t q = p;
    SkipBlanks(q);
    if (q >= n_ || failed_) return nullptr;
    TorvJSONbase* value = nullptr;
    switch (s_[q]) {
    case 't':
        if (Matches(q, "true", 4)) {
            value = new TorvJSONboolean(true);
            q += 4;
        }
        break;
    case 'f':
        if (Matches(q, "false", 5)) {
            value = new TorvJSONboolean(false);
            q += 5;
        }
        break;
    case 'n':
        if (Matches(q, "null", 4)) {
            value = new TorvJSONnull;
            q += 4;
        }
        break;
    case '"': {
        std::u16string text;
        if (ReadString(q, text)) value = new TorvJSONstring(std::move(text));
        break;
    }
    case '[': value = ReadArray(q, depth); break;
    case '{': value = ReadObject(q, depth); break;
    default: value = ReadNumber(q); break;
    }
    if (value) p = q;
    return value;
}

TorvJSONbase* TorvJSONreader::ReadNumber(size_t& p)
{
    size_t i = p;
    bool negative = false;
    if (i < n_ && (s_[i] == '+' || s_[i] == '-')) negative = s_[i++] == '-';
    const size_t wholeStart = i;
    while (IsDigitAt(i)) ++i;
    if (i == wholeStart) return nullptr;
    const size_t wholeEnd = i;
    size_t fractionStart = i, fractionEnd = i;
    if (i < n_ && s_[i] == '.') {
        fractionStart = ++i;
        while (IsDigitAt(i)) ++i;
        if (i == fractionStart) return nullptr;
        fractionEnd = i;
    }
    int64_t exponent = 0;
    if (i < n_ && (s_[i] == 'e' || s_[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n_ && (s_[i] == '+' || s_[i] == '-')) expNegative = s_[i++] == '-';
        if (!IsDigitAt(i)) return nullptr;
        for (; IsDigitAt(i); ++i)
            if (exponent < (int64_t{1} << 40)) exponent = exponent * 10 + (s_[i] - '0');
        if (expNegative) exponent = -exponent;
    }
    const char* text = reinterpret_cast<const char*>(s_);
    long double value = 0;
    if (!DecimalToExtended(negative, {text + wholeStart, wholeEnd - wholeStart},
                           {text + fractionStart, fractionEnd - fractionStart}, exponent, value)) {
        failed_ = true;
        return nullptr;
    }
    p = i;
    return new TorvJSONnumber(value);
}

bool TorvJSONreader::ReadString(size_t& p, std::u16string& value)
{
    size_t q = p;
    SkipBlanks(q);
    if (q >= n_ || s_[q] != '"') return false;
    const size_t begin = q + 1;
    // The closing quote is the first quote with no backslash before it
    // since the scan start; a backslash restarts the scan two bytes on.
    size_t scan = begin;
    size_t quote = 0;
    bool haveQuote = false;
    bool escaped = false;
    for (;;) {
        if (scan >= n_) return false;
        if (!haveQuote || quote < scan) {
            const void* found = std::memchr(s_ + scan, '"', n_ - scan);
            if (!found) return false;
            quote = static_cast<size_t>(static_cast<const unsigned char*>(found) - s_);
            haveQuote = true;
        }
        const void* backslash = std::memchr(s_ + scan, '\\', quote - scan);
        if (!backslash) break;
        escaped = true;
        scan = static_cast<size_t>(static_cast<const unsigned char*>(backslash) - s_) + 2;
    }
    if (escaped) {
        std::string body;
        if (!Unescape(begin, quote, body)) {
            failed_ = true;
            return false;
        }
        DecodeUtf8(reinterpret_cast<const unsigned char*>(body.data()), body.size(), value);
    } else {
        DecodeUtf8(s_ + begin, quote - begin, value);
    }
    p = quote + 1;
    return true;
}

bool TorvJSONreader::Unescape(size_t begin, size_t end, std::string& out)
{
    out.reserve(end - begin);
    size_t i = begin;
    while (i < end) {
        const unsigned char c = s_[i++];
        if (c != '\\') {
            out.push_back(static_cast<char>(c));
            continue;
        }
        if (i >= end) break;
        const unsigned char e = s_[i++];
        switch (e) {
        case '"': out.push_back('"'); break;
        case '\'': out.push_back('\''); break;
        case '/': out.push_back('/'); break;
        case '\\': out.push_back('\\'); break;
        case 'b': out.push_back('\b'); break;
        case 'f': out.push_back('\f'); break;
        case 'n': out.push_back('\n'); break;
        case 'r': out.push_back('\r'); break;
        case 't': out.push_back('\t'); break;
        case 'u': {
            // Up to four bytes (fewer at the end of the body) as a hexadecimal
            // number: no digit at all, or any byte that is no hex digit, is a
            // conversion error.
            const size_t stop = end - i < 4 ? end : i + 4;
            if (i == stop) return false;
            unsigned code = 0;
            for (; i < stop; ++i) {
                const int d = HexDigit(s_[i]);
                if (d < 0) return false;
                code = code * 16 + static_cast<unsigned>(d);
            }
            PutUtf8(out, code);
            break;
        }
        default: break;  // an unknown escape drops both bytes
        }
    }
    return true;
}

TorvJSONbase* TorvJSONreader::ReadArray(size_t& p, int depth)
{
    if (depth >= TorvJSON::kMaxDepth) return nullptr;
    auto list = std::make_unique<TorvJSONlist>();
    // Elements gather in a scratch list of this depth, so that the child
    // list is allocated once at its final size.
    Scratch scratch(*this, depth);
    size_t i = p + 1;
    while (TorvJSONbase* element = ReadValue(i, depth + 1)) {
        TorvJSONlist::SetParent(element, list.get());
        scratch.Nodes().push_back(element);
        SkipBlanks(i);
        if (i < n_ && s_[i] == ',') ++i;
    }
    SkipBlanks(i);
    if (failed_ || i >= n_ || s_[i] != ']') return nullptr;
    scratch.MoveTo(list->children_);
    p = i + 1;
    return list.release();
}

TorvJSONbase* TorvJSONreader::ReadObject(size_t& p, int depth)
{
    if (depth >= TorvJSON::kMaxDepth) return nullptr;
    auto object = std::make_unique<TorvJSONobject>(true);
    Scratch scratch(*this, depth);
    size_t i = p + 1;
    while (ReadMember(i, depth + 1, *object, scratch)) {
        SkipBlanks(i);
        if (i < n_ && s_[i] == ',') ++i;
    }
    SkipBlanks(i);
    if (failed_ || i >= n_ || s_[i] != '}') return nullptr;
    scratch.MoveTo(object->children_);
    p = i + 1;
    return object.release();
}

bool TorvJSONreader::ReadMember(size_t& p, int depth, TorvJSONobject& object, Scratch& members)
{
    size_t i = p;
    std::u16string name;
    if (!ReadString(i, name)) return false;
    SkipBlanks(i);
    if (i >= n_ || s_[i] != ':') return false;
    ++i;
    TorvJSONbase* value = ReadValue(i, depth);
    if (!value) return false;
    auto* member = new TorvJSONobjectmethod(std::move(name));
    member->value_ = value;
    TorvJSONobjectmethod::SetParent(value, member);
    TorvJSONobject::SetParent(member, &object);
    members.Nodes().push_back(member);
    if (object.indexed_)
        object.index_.InsertKey(member->name_, static_cast<int32_t>(members.Nodes().size() - 1));
    p = i;
    return true;
}

std::unique_ptr<TorvJSONbase> TorvJSON::ReadJson(std::string_view text)
{
    if (text.empty()) return nullptr;
    size_t p = 0;
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") {
        if (text.size() == 3) return nullptr;
        p = 3;
    }
    TorvJSONreader reader(text);
    std::unique_ptr<TorvJSONbase> root(reader.ReadValue(p, 0));
    if (reader.Failed()) return nullptr;
    return root;
}

}  // namespace json
