#include "xml/Parser.h"

#include <vector>

#include "core/Exception.h"
#include "xml/ParserAttributes.h"
#include "xml/ParserInput.h"

namespace xml {

namespace {

using namespace parsing;

std::wstring unitText(Unit c) { return std::wstring(1, static_cast<wchar_t>(c)); }

// The unit that starts an end mark ("?>" or ">").
Unit opening(const std::wstring& endMark) { return static_cast<Unit>(endMark[0]); }

bool endsWith(const std::wstring& s, const std::wstring& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

constexpr Delimiters tagName(L">/", true);
constexpr Delimiters instructionName(L"?", true);
constexpr Delimiters attributeName(L"=>/", true);
constexpr Delimiters instructionAttributeName(L"=?", true);
constexpr Delimiters doubleQuoted(L"\"&", false);
constexpr Delimiters singleQuoted(L"'&", false);
constexpr Delimiters characterData(L"<&", false);
constexpr Delimiters skipped(L"&>", false);  // every end mark that is skipped to ends in ">"
constexpr Delimiters sectionEnd(L">", false);
constexpr Delimiters sectionOpening(L"[", false);
constexpr Delimiters entityNameEnd(L";", false);
constexpr Delimiters whitespaceEnd = Delimiters::allButWhitespace();

const AttributeMap noAttributes;

enum class TagEnd { OPEN, CLOSED, EMPTY };

// What one piece of markup was; only tags and CDATA sections are reported.
enum class Markup { TAG, INSTRUCTION, CDATA, IGNORED };

// One document's worth of reading. Its buffers for names and text live as
// long as the document and are reused by every tag.
class Reading {
public:
    // The entity table is copied to a list: with five short names a look
    // along it is cheaper than a search of the map.
    Reading(std::wistream& in, ParserCallback* callback,
            const std::map<std::wstring, std::wstring>& entities)
        : input_(in), callback_(callback), entities_(entities.begin(), entities.end()) {}

    void document() {
        const Unit first = input_.read();
        if (first == END) fail(L"unexpected EOF");
        if (first != L'<') fail(L"no tag like structure");
        if (markup() != Markup::INSTRUCTION || name_ != L"?xml") fail(L"no xml declaration");
        const AttributeMap& attributes = *tagAttributes_;
        const auto version = attributes.find(L"version");
        const std::wstring given = version == attributes.end() ? std::wstring() : version->second;
        if (given != L"1.0") {
            fail(L"parser supports xml version 1.0 only, but specified document version: " + given);
        }
        content();
    }

private:
    void content() {
        for (;;) {
            input_.scan(whitespaceEnd);
            const Unit c = input_.read();
            if (c == END) break;
            if (c == L'<') {
                report(markup());
            } else {
                readCharacterData(c);
            }
        }
        callback_->endDocument();
    }

    void report(Markup kind) {
        if (kind == Markup::CDATA) callback_->characters(text_);
        if (kind != Markup::TAG) return;
        if (!name_.empty() && name_[0] == L'/') {
            endName_.assign(name_, 1);
            callback_->endElement(endName_);
            return;
        }
        callback_->startElement(name_, *tagAttributes_);
        if (empty_) callback_->endElement(name_);
    }

    // After "<".
    Markup markup() {
        const Unit c = input_.readSome();
        if (c == L'!') return section();
        if (isWhitespace(c)) fail(L"needs name after '<'");
        const bool instruction = c == L'?';
        tagAttributes_ = &noAttributes;
        empty_ = tag(instruction) == TagEnd::EMPTY;
        return instruction ? Markup::INSTRUCTION : Markup::TAG;
    }

    // A processing instruction ends with "?>" and is never empty; a tag ends
    // with ">" or "/>".
    // The name's first unit, just read, belongs to it whatever it is.
    TagEnd tag(bool instruction) {
        const std::wstring endMark = instruction ? L"?>" : L">";
        input_.pushBack();
        name_.assign(input_.scan(instruction ? instructionName : tagName, 1));
        const Unit c = input_.readSome();
        if (isWhitespace(c)) return attributeList(endMark, !instruction);
        if (c == opening(endMark)) {
            restOfEndMark(endMark);
            return TagEnd::CLOSED;
        }
        return emptyTagEnd(endMark, input_.readSome());  // c is "/"
    }

    // c follows a "/" that can only close an empty-element tag.
    TagEnd emptyTagEnd(const std::wstring& endMark, Unit c) {
        if (c != opening(endMark)) fail(L"illegal character in tag: '/'");
        restOfEndMark(endMark);
        return TagEnd::EMPTY;
    }

    TagEnd attributeList(const std::wstring& endMark, bool mayBeEmpty) {
        attributes_ = &attributesByName_.of(name_);
        attributes_->beginTag();
        TagEnd end;
        while ((end = attribute(endMark, mayBeEmpty)) == TagEnd::OPEN) {
        }
        tagAttributes_ = &attributes_->endTag();
        return end;
    }

    TagEnd attribute(const std::wstring& endMark, bool mayBeEmpty) {
        const Unit close = opening(endMark);
        Unit c = input_.readSome();
        while (isWhitespace(c)) c = input_.readSome();
        if (c == L'=') fail(L"'=' without attribute name");
        if (c == close) {
            restOfEndMark(endMark);
            return TagEnd::CLOSED;
        }
        if (c == L'/' && mayBeEmpty) return emptyTagEnd(endMark, input_.readSome());

        input_.pushBack();
        const std::wstring_view name =
            input_.scan(mayBeEmpty ? attributeName : instructionAttributeName);
        c = input_.readSome();
        if (c != L'=') fail(L"no attribute value for: " + std::wstring(name));
        return value(attributes_->valueOf(name), endMark, mayBeEmpty);
    }

    // After the "=" of an attribute.
    TagEnd value(std::wstring& value, const std::wstring& endMark, bool mayBeEmpty) {
        for (;;) {
            const Unit c = input_.read();
            if (isWhitespace(c)) {
                attributes_->add();
                return TagEnd::OPEN;
            }
            if (c == opening(endMark)) {
                restOfEndMark(endMark);
                attributes_->add();
                return TagEnd::CLOSED;
            }
            if (c == L'/' && mayBeEmpty) {
                emptyTagEnd(endMark, input_.read());
                attributes_->add();
                return TagEnd::EMPTY;
            }
            if (c != L'"' && c != L'\'') fail(L"unquoted attribute value");
            if (!value.empty()) fail(L"invalid quotation");
            quoted(value, c);
        }
    }

    void quoted(std::wstring& value, Unit quote) {
        const Delimiters& delimiters = quote == L'"' ? doubleQuoted : singleQuoted;
        for (;;) {
            const Unit c = input_.readRun(value, delimiters);
            if (c == quote) return;
            if (c == END) fail(L"unexpected EOF");
            reference(value);
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
        name_.clear();
        const Unit c = input_.readSome();
        if (c == L'-') {
            const Unit next = input_.readSome();
            if (next != L'-') fail(L"invalid section <!-" + unitText(next));
            skipTo(L"-->");
            return Markup::IGNORED;
        }
        if (c == L'[') {
            text_ = L"![";
            if (input_.readRun(text_, sectionOpening) == END) fail(L"unexpected EOF");
            text_ += L'[';
            if (text_ == L"![CDATA[") {
                readCdata();
                return Markup::CDATA;
            }
            skipTo(L"]]>");
            return Markup::IGNORED;
        }
        for (Unit u = c; u != L'>'; u = input_.readSome()) {
            if (isWhitespace(u)) {
                skipTo(L">");
                break;
            }
        }
        return Markup::IGNORED;
    }

    // The content up to the first "]]>", taken literally.
    void readCdata() {
        static const std::wstring endMark = L"]]>";
        text_.clear();
        for (;;) {
            if (input_.readRun(text_, sectionEnd) == END) fail(L"unexpected EOF");
            text_ += L'>';
            if (endsWith(text_, endMark)) {
                text_.resize(text_.size() - endMark.size());
                return;
            }
        }
    }

    // Reads up to and including the first occurrence of endMark. References
    // on the way must still be well formed, although their text is dropped.
    void skipTo(const std::wstring& endMark) {
        skipped_.clear();
        for (;;) {
            const Unit c = input_.readRun(skipped_, skipped);
            if (c == END) fail(L"unexpected EOF");
            if (c == L'&') {
                reference(discarded_);
                discarded_.clear();
                skipped_.clear();
                continue;
            }
            skipped_ += static_cast<wchar_t>(c);
            if (endsWith(skipped_, endMark)) return;
            if (skipped_.size() >= endMark.size()) {
                skipped_.erase(0, skipped_.size() - (endMark.size() - 1));
            }
        }
    }

    // Starts at a unit that is neither whitespace nor "<".
    void readCharacterData(Unit c) {
        text_.clear();
        for (;;) {
            if (c == L'&') {
                reference(text_);
            } else {
                text_ += static_cast<wchar_t>(c);
            }
            c = input_.readRun(text_, characterData);
            if (c == L'<') input_.pushBack();
            if (c != L'&') break;
        }
        callback_->characters(text_);
    }

    // After "&": appends the text the reference stands for.
    void reference(std::wstring& out) {
        const Unit c = input_.readSome();
        if (c == L'#') {
            out += static_cast<wchar_t>(numericReference());
            return;
        }
        input_.pushBack();
        const std::wstring_view name = input_.scan(entityNameEnd);
        if (input_.read() == END) fail(L"unexpected EOF");
        for (const auto& [entity, text] : entities_) {
            if (sameUnits(entity, name)) {
                out += text;
                return;
            }
        }
        fail(L"unknown entity name refererenced: &" + std::wstring(name) + L";");
    }

    Unit numericReference() {
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
        return value;
    }

    static int digitValue(Unit c, Unit base) {
        if (c >= L'0' && c <= L'9') return static_cast<int>(c - L'0');
        if (base == 16 && c >= L'A' && c <= L'F') return static_cast<int>(c - L'A' + 10);
        if (base == 16 && c >= L'a' && c <= L'f') return static_cast<int>(c - L'a' + 10);
        return -1;
    }

    Input input_;
    ParserCallback* callback_;
    const std::vector<std::pair<std::wstring, std::wstring>> entities_;

    std::wstring name_;
    bool empty_ = false;
    AttributesByName attributesByName_;
    Attributes* attributes_ = nullptr;                   // of the tag being read
    const AttributeMap* tagAttributes_ = &noAttributes;  // what the tag reports
    std::wstring text_;
    std::wstring endName_;
    std::wstring skipped_;
    std::wstring discarded_;
};

}  // namespace

Parser::Parser(ParserCallback* callback)
    : callback_(callback),
      entities_{{L"amp", L"&"}, {L"lt", L"<"}, {L"gt", L">"}, {L"quot", L"\""}, {L"apos", L"'"}} {}

void Parser::parse(std::wistream& in) { Reading(in, callback_, entities_).document(); }

}  // namespace xml
