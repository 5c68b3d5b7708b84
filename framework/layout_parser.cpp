// The layout text: tokens and the block tree.
#include <cctype>

#include "framework/layout.h"

namespace fw {

namespace {

struct Token {
    enum Kind { End, Ident, Number, String, Punct, Arrow } kind = End;
    std::string text;
    int64_t number = 0;
    int line = 1;
};

class Parser {
public:
    explicit Parser(std::string_view s) : s_(s)
    {
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // UTF-8 byte order mark
        Next();
    }

    TLayoutObject Root()
    {
        TLayoutObject o = Object();
        if (tok_.kind != Token::End) Fail("text after the root block");
        return o;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw EReadError("layout line " + std::to_string(tok_.line) + ": " + what);
    }

    void SkipBlanks()
    {
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '#') {
                while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    static bool IdentStart(char c)
    {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
    }
    static bool IdentChar(char c)
    {
        return IdentStart(c) || std::isdigit(static_cast<unsigned char>(c));
    }

    void Next()
    {
        SkipBlanks();
        tok_ = Token{};
        tok_.line = line_;
        if (pos_ >= s_.size()) return;
        const char c = s_[pos_];
        if (IdentStart(c)) {
            const size_t start = pos_;
            while (pos_ < s_.size() && IdentChar(s_[pos_])) ++pos_;
            tok_.kind = Token::Ident;
            tok_.text = std::string(s_.substr(start, pos_ - start));
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '-' && pos_ + 1 < s_.size() &&
                    std::isdigit(static_cast<unsigned char>(s_[pos_ + 1])))) {
            NumberToken();
        } else if (c == '"') {
            StringToken();
        } else if (c == '-' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '>') {
            pos_ += 2;
            tok_.kind = Token::Arrow;
        } else if (std::string_view("{}[]:,.").find(c) != std::string_view::npos) {
            ++pos_;
            tok_.kind = Token::Punct;
            tok_.text = std::string(1, c);
        } else {
            Fail(std::string("unexpected character '") + c + "'");
        }
    }

    void NumberToken()
    {
        bool negative = false;
        if (s_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        int base = 10;
        if (s_.substr(pos_, 2) == "0x" || s_.substr(pos_, 2) == "0X") {
            base = 16;
            pos_ += 2;
        }
        uint64_t value = 0;
        size_t digits = 0;
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
            if (value > 0xFFFFFFFFull) Fail("number out of range");
            ++digits;
            ++pos_;
        }
        if (digits == 0 || (pos_ < s_.size() && IdentChar(s_[pos_]))) Fail("malformed number");
        tok_.kind = Token::Number;
        tok_.number = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
    }

    void StringToken()
    {
        ++pos_;
        std::string out;
        for (;;) {
            if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated string");
            const char c = s_[pos_++];
            if (c == '"') break;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= s_.size()) Fail("unterminated string");
            switch (const char e = s_[pos_++]) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            default: Fail(std::string("unknown escape \\") + e);
            }
        }
        tok_.kind = Token::String;
        tok_.text = std::move(out);
    }

    bool IsPunct(char c) const { return tok_.kind == Token::Punct && tok_.text[0] == c; }

    void Expect(char c)
    {
        if (!IsPunct(c)) Fail(std::string("'") + c + "' expected");
        Next();
    }

    std::string ExpectIdent(const char* what)
    {
        if (tok_.kind != Token::Ident) Fail(std::string(what) + " expected");
        std::string s = tok_.text;
        Next();
        return s;
    }

    TLayoutObject Object()
    {
        TLayoutObject o;
        o.line = tok_.line;
        o.className = ExpectIdent("class name");
        o.name = ExpectIdent("component name");
        Expect('{');
        while (!IsPunct('}')) {
            if (tok_.kind == Token::End) Fail("'}' expected");
            o.items.push_back(Item());
        }
        Next();
        return o;
    }

    TLayoutItem Item()
    {
        TLayoutItem item;
        item.line = tok_.line;
        // Look ahead: "Class Name {" starts a block.
        const size_t savePos = pos_;
        const int saveLine = line_;
        const Token first = tok_;
        std::string name = ExpectIdent("property, event or class name");
        if (tok_.kind == Token::Ident) {
            pos_ = savePos;
            line_ = saveLine;
            tok_ = first;
            item.kind = TLayoutItem::Object;
            item.object = std::make_unique<TLayoutObject>(Object());
            return item;
        }
        if (tok_.kind == Token::Arrow) {
            Next();
            item.kind = TLayoutItem::Event;
            item.name = std::move(name);
            item.handler = ExpectIdent("handler name");
            return item;
        }
        while (IsPunct('.')) {
            Next();
            name += '.';
            name += ExpectIdent("property name");
        }
        Expect(':');
        item.kind = TLayoutItem::Property;
        item.name = std::move(name);
        item.value = Value();
        return item;
    }

    TLayoutValue Value()
    {
        TLayoutValue v;
        v.line = tok_.line;
        switch (tok_.kind) {
        case Token::Number:
            v.kind = TLayoutValue::Number;
            v.number = tok_.number;
            Next();
            return v;
        case Token::String:
            v.kind = TLayoutValue::String;
            v.text = tok_.text;
            Next();
            return v;
        case Token::Ident:
            if (tok_.text == "hex") {
                v.kind = TLayoutValue::Bytes;
                HexBlock(v.bytes);
                return v;
            }
            v.kind = TLayoutValue::Ident;
            v.text = tok_.text;
            Next();
            return v;
        default: break;
        }
        if (IsPunct('[')) {
            v.kind = TLayoutValue::List;
            Next();
            if (!IsPunct(']')) {
                for (;;) {
                    v.items.push_back(Value());
                    if (!IsPunct(',')) break;
                    Next();
                }
            }
            Expect(']');
            return v;
        }
        Fail("value expected");
    }

    // "hex {" then pairs of hexadecimal digits, blanks anywhere, then "}".
    void HexBlock(std::vector<uint8_t>& out)
    {
        SkipBlanks();
        if (pos_ >= s_.size() || s_[pos_] != '{') Fail("'{' expected after hex");
        ++pos_;
        int pending = -1;
        for (;;) {
            SkipBlanks();
            if (pos_ >= s_.size()) Fail("'}' expected");
            const char c = s_[pos_++];
            if (c == '}') break;
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else {
                tok_.line = line_;
                Fail(std::string("'") + c + "' in hex data");
            }
            if (pending < 0) {
                pending = d;
            } else {
                out.push_back(static_cast<uint8_t>(pending * 16 + d));
                pending = -1;
            }
        }
        if (pending >= 0) {
            tok_.line = line_;
            Fail("odd number of hex digits");
        }
        Next();
    }

    std::string_view s_;
    size_t pos_ = 0;
    int line_ = 1;
    Token tok_;
};

}  // namespace

TLayoutObject ParseLayout(std::string_view utf8) { return Parser(utf8).Root(); }

}  // namespace fw
