#include "xml/Parser.h"

#include "core/Exception.h"

namespace xml {

namespace {

// Code units travel as unsigned values so that the end of input, 0xFFFF,
// compares the same on hosts with 16- and 32-bit wchar_t.
using Unit = unsigned;
constexpr Unit END = 0xFFFF;

bool isWhitespace(Unit c) { return c <= 0x20; }

[[noreturn]] void fail(const std::wstring& message) { throw XMLException(message); }

std::wstring unitText(Unit c) { return std::wstring(1, static_cast<wchar_t>(c)); }

// The unit that starts an end mark ("?>" or ">").
Unit opening(const std::wstring& endMark) { return static_cast<Unit>(endMark[0]); }

// The stream seen one code unit at a time, with one unit of push-back.
class Input {
public:
    explicit Input(std::wistream& in) : buffer_(in.rdbuf()) {}

    Unit read() {
        if (pushed_) {
            pushed_ = false;
            return last_;
        }
        if (buffer_ == nullptr) return last_ = END;
        const auto c = buffer_->sbumpc();
        last_ = c == std::wistream::traits_type::eof()
                    ? END
                    : static_cast<Unit>(std::wistream::traits_type::to_char_type(c));
        return last_;
    }

    void pushBack() { pushed_ = true; }

    // A unit that may not be the end of input.
    Unit readSome() {
        const Unit c = read();
        if (c == END) fail(L"unexpected EOF");
        return c;
    }

private:
    std::wstreambuf* buffer_;
    Unit last_ = END;
    bool pushed_ = false;
};

enum class TagEnd { OPEN, CLOSED, EMPTY };

// What one piece of markup amounts to; only tags and CDATA sections are
// reported.
struct Markup {
    enum Kind { TAG, INSTRUCTION, CDATA, IGNORED } kind = IGNORED;
    std::wstring name;
    AttributeMap attributes;
    bool empty = false;
    std::wstring text;
};

// One document's worth of reading.
class Reading {
public:
    Reading(std::wistream& in, ParserCallback* callback,
            const std::map<std::wstring, std::wstring>& entities)
        : input_(in), callback_(callback), entities_(entities) {}

    void document() {
        const Unit first = input_.read();
        if (first == END) fail(L"unexpected EOF");
        if (first != L'<') fail(L"no tag like structure");
        const Markup declaration = markup();
        if (declaration.name != L"?xml") fail(L"no xml declaration");
        const auto version = declaration.attributes.find(L"version");
        const std::wstring given =
            version == declaration.attributes.end() ? std::wstring() : version->second;
        if (given != L"1.0") {
            fail(L"parser supports xml version 1.0 only, but specified document version: " + given);
        }
        content();
    }

private:
    void content() {
        for (Unit c = input_.read(); c != END; c = input_.read()) {
            if (isWhitespace(c)) continue;
            if (c == L'<') {
                report(markup());
            } else {
                characterData(c);
            }
        }
        callback_->endDocument();
    }

    void report(const Markup& m) {
        if (m.kind == Markup::CDATA) callback_->characters(m.text);
        if (m.kind != Markup::TAG) return;
        if (!m.name.empty() && m.name[0] == L'/') {
            callback_->endElement(m.name.substr(1));
            return;
        }
        callback_->startElement(m.name, m.attributes);
        if (m.empty) callback_->endElement(m.name);
    }

    // After "<".
    Markup markup() {
        const Unit c = input_.readSome();
        if (c == L'!') return section();
        if (isWhitespace(c)) fail(L"needs name after '<'");
        const bool instruction = c == L'?';
        Markup m;
        m.kind = instruction ? Markup::INSTRUCTION : Markup::TAG;
        m.empty = tag(m, c, instruction ? L"?>" : L">", !instruction) == TagEnd::EMPTY;
        return m;
    }

    TagEnd tag(Markup& m, Unit first, const std::wstring& endMark, bool mayBeEmpty) {
        m.name = unitText(first);
        for (;;) {
            const Unit c = input_.readSome();
            if (isWhitespace(c)) return attributes(m, endMark, mayBeEmpty);
            if (c == opening(endMark)) {
                restOfEndMark(endMark);
                return TagEnd::CLOSED;
            }
            if (c == L'/' && mayBeEmpty) return emptyTagEnd(endMark);
            m.name += static_cast<wchar_t>(c);
        }
    }

    // After a "/" that can only close an empty-element tag.
    TagEnd emptyTagEnd(const std::wstring& endMark) {
        const Unit c = input_.read();
        if (c != opening(endMark))
            fail(c == END ? L"unexpected EOF" : L"illegal character in tag: '/'");
        restOfEndMark(endMark);
        return TagEnd::EMPTY;
    }

    TagEnd attributes(Markup& m, const std::wstring& endMark, bool mayBeEmpty) {
        TagEnd end;
        while ((end = attribute(m, endMark, mayBeEmpty)) == TagEnd::OPEN) {
        }
        return end;
    }

    TagEnd attribute(Markup& m, const std::wstring& endMark, bool mayBeEmpty) {
        Unit c = input_.readSome();
        while (isWhitespace(c)) c = input_.readSome();

        std::wstring name;
        for (;; c = input_.readSome()) {
            if (c == L'=') {
                if (name.empty()) fail(L"'=' without attribute name");
                break;
            }
            const bool tagEnds = c == opening(endMark) || (c == L'/' && mayBeEmpty);
            if (isWhitespace(c) || (tagEnds && !name.empty())) {
                fail(L"no attribute value for: " + name);
            }
            if (c == opening(endMark)) {
                restOfEndMark(endMark);
                return TagEnd::CLOSED;
            }
            if (c == L'/' && mayBeEmpty) {
                const Unit next = input_.readSome();
                if (next != opening(endMark)) fail(L"illegal character in tag: '/'");
                restOfEndMark(endMark);
                return TagEnd::EMPTY;
            }
            name += static_cast<wchar_t>(c);
        }

        std::wstring value;
        Unit quote = 0;
        for (;;) {
            c = input_.read();
            if (quote != 0) {
                if (c == quote) {
                    quote = 0;
                } else if (c == L'&') {
                    value += reference();
                } else if (c == END) {
                    fail(L"unexpected EOF");
                } else {
                    value += static_cast<wchar_t>(c);
                }
                continue;
            }
            if (isWhitespace(c)) {
                m.attributes[name] = value;
                return TagEnd::OPEN;
            }
            if (c == opening(endMark)) {
                restOfEndMark(endMark);
                m.attributes[name] = value;
                return TagEnd::CLOSED;
            }
            if (c == L'/' && mayBeEmpty) {
                if (input_.read() != opening(endMark)) fail(L"illegal character in tag: '/'");
                restOfEndMark(endMark);
                m.attributes[name] = value;
                return TagEnd::EMPTY;
            }
            if (c != L'"' && c != L'\'') fail(L"unquoted attribute value");
            if (!value.empty()) fail(L"invalid quotation");
            quote = c;
        }
    }

    void restOfEndMark(const std::wstring& endMark) {
        for (size_t i = 1; i < endMark.size(); ++i) {
            if (input_.readSome() != static_cast<Unit>(endMark[i])) fail(L"no end mark " + endMark);
        }
    }

    // After "<!": a comment, a CDATA section, another bracketed section or a
    // declaration.
    Markup section() {
        Markup m;
        const Unit c = input_.readSome();
        if (c == L'-') {
            const Unit next = input_.readSome();
            if (next != L'-') fail(L"invalid section <!-" + unitText(next));
            skipTo(L"-->");
        } else if (c == L'[') {
            std::wstring opening = L"![";
            Unit u;
            do {
                u = input_.readSome();
                opening += static_cast<wchar_t>(u);
            } while (u != L'[');
            if (opening == L"![CDATA[") {
                m.kind = Markup::CDATA;
                m.text = cdata();
            } else {
                skipTo(L"]]>");
            }
        } else {
            for (Unit u = c; u != L'>'; u = input_.readSome()) {
                if (isWhitespace(u)) {
                    skipTo(L">");
                    break;
                }
            }
        }
        return m;
    }

    std::wstring cdata() {
        static const std::wstring endMark = L"]]>";
        std::wstring content;
        for (;;) {
            content += static_cast<wchar_t>(input_.readSome());
            if (content.size() >= endMark.size() &&
                content.compare(content.size() - endMark.size(), endMark.size(), endMark) == 0) {
                content.resize(content.size() - endMark.size());
                return content;
            }
        }
    }

    // Reads up to and including the first occurrence of endMark. References
    // on the way must still be well formed, although their text is dropped.
    void skipTo(const std::wstring& endMark) {
        std::wstring recent;
        for (;;) {
            const Unit c = input_.readSome();
            if (c == L'&') {
                reference();
                recent.clear();
                continue;
            }
            recent += static_cast<wchar_t>(c);
            if (recent.size() > endMark.size()) recent.erase(0, 1);
            if (recent == endMark) return;
        }
    }

    // Starts at a unit that is neither whitespace nor "<".
    void characterData(Unit c) {
        std::wstring text;
        for (; c != END; c = input_.read()) {
            if (c == L'<') {
                input_.pushBack();
                break;
            }
            if (c == L'&') {
                text += reference();
            } else {
                text += static_cast<wchar_t>(c);
            }
        }
        callback_->characters(text);
    }

    // After "&".
    std::wstring reference() {
        const Unit c = input_.readSome();
        if (c == L'#') return numericReference();
        std::wstring name;
        for (Unit u = c; u != L';'; u = input_.readSome()) name += static_cast<wchar_t>(u);
        const auto found = entities_.find(name);
        if (found == entities_.end()) fail(L"unknown entity name refererenced: &" + name + L";");
        return found->second;
    }

    std::wstring numericReference() {
        Unit c = input_.readSome();
        const bool hex = c == L'x';
        if (hex) c = input_.readSome();
        const Unit base = hex ? 16 : 10;
        Unit value = 0;
        bool anyDigit = false;
        for (; c != L';'; c = input_.readSome()) {
            const int digit = digitValue(c, base);
            if (digit < 0) fail(L"invalid character in numeric reference: " + unitText(c));
            value = value * base + static_cast<Unit>(digit);
            if (value == 0) fail(L"numeric reference starts 0");
            if (value > 0xFFFF) fail(L"numeric reference so big");
            anyDigit = true;
        }
        if (!anyDigit && !hex) fail(L"invalid reference: &#;");
        return unitText(value);
    }

    static int digitValue(Unit c, Unit base) {
        if (c >= L'0' && c <= L'9') return static_cast<int>(c - L'0');
        if (base == 16 && c >= L'A' && c <= L'F') return static_cast<int>(c - L'A' + 10);
        if (base == 16 && c >= L'a' && c <= L'f') return static_cast<int>(c - L'a' + 10);
        return -1;
    }

    Input input_;
    ParserCallback* callback_;
    const std::map<std::wstring, std::wstring>& entities_;
};

}  // namespace

Parser::Parser(ParserCallback* callback)
    : callback_(callback),
      entities_{{L"amp", L"&"}, {L"lt", L"<"}, {L"gt", L">"}, {L"quot", L"\""}, {L"apos", L"'"}} {}

void Parser::parse(std::wistream& in) { Reading(in, callback_, entities_).document(); }

}  // namespace xml
