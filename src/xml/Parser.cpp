#include "xml/Parser.h"

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "core/Exception.h"

namespace xml {

namespace {

// Code units travel as unsigned values so that the end of input, 0xFFFF,
// compares the same on hosts with 16- and 32-bit wchar_t.
using Unit = unsigned;
constexpr Unit END = 0xFFFF;

bool isWhitespace(Unit c) { return c <= 0x20; }

// Kept out of line so that the readers that may fail stay small enough to
// inline.
[[noreturn, gnu::cold, gnu::noinline]] void fail(const std::wstring& message) {
    throw XMLException(message);
}
[[noreturn, gnu::cold, gnu::noinline]] void fail(const wchar_t* message) {
    throw XMLException(message);
}

std::wstring unitText(Unit c) { return std::wstring(1, static_cast<wchar_t>(c)); }

// The unit that starts an end mark ("?>" or ">").
Unit opening(const std::wstring& endMark) { return static_cast<Unit>(endMark[0]); }

// Names are a few units long: comparing them here beats a library call.
bool sameUnits(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

bool endsWith(const std::wstring& s, const std::wstring& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Which code units end a run in one context. Units from 0x100 up never do,
// but for the end of input, unless the run is of whitespace.
class Delimiters {
public:
    constexpr Delimiters(std::wstring_view units, bool whitespace) : stops_{} {
        for (wchar_t c : units) stops_[static_cast<Unit>(c)] = true;
        for (Unit c = 0; whitespace && c <= 0x20; ++c) stops_[c] = true;
    }
    static constexpr Delimiters allButWhitespace() {
        Delimiters d(L"", false);
        for (Unit c = 0x21; c < d.stops_.size(); ++c) d.stops_[c] = true;
        d.highStops_ = true;
        return d;
    }
    bool stops(Unit c) const { return c < stops_.size() ? stops_[c] : c == END || highStops_; }

private:
    std::array<bool, 0x100> stops_;
    bool highStops_ = false;
};

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

// The stream seen one code unit at a time, with one unit of push-back. It is
// read in blocks, and runs of units that need no decision are copied in one
// go: going through the stream for every unit would cost more than parsing.
// The first 0xFFFF ends the input for good.
class Input {
public:
    explicit Input(std::wistream& in)
        : buffer_(in.rdbuf()),
          block_(new wchar_t[blockSize + 1]),
          next_(block_.get()),
          end_(next_) {
        block_[0] = sentinel;
    }

    Unit read() {
        if (next_ == end_ && !refill()) return END;
        const Unit c = unit(*next_++);
        if (c == END) finish();
        return c;
    }

    // A unit that may not be the end of input.
    Unit readSome() {
        const Unit c = read();
        if (c == END) fail(L"unexpected EOF");
        return c;
    }

    // Gives back the unit just read, which was not the end of input.
    void pushBack() { --next_; }

    // The units up to the first delimiter, which is left unread; the first
    // skip units are taken whatever they are. The view lasts until the next
    // call.
    std::wstring_view scan(const Delimiters& delimiters, size_t skip = 0) {
        const wchar_t* p = next_ + skip;
        // The block ends in a sentinel that every table stops at.
        while (!delimiters.stops(unit(*p))) ++p;
        if (p != end_) return take(p);
        return scanAcrossBlocks(delimiters, p);
    }

    // Appends the units up to the first delimiter to out, and returns that
    // delimiter, read; or END.
    Unit readRun(std::wstring& out, const Delimiters& delimiters) {
        out.append(scan(delimiters));
        return read();
    }

private:
    static constexpr wchar_t sentinel = static_cast<wchar_t>(END);
#ifdef VELMORA_PARSER_BLOCK_UNITS
    // The sanitizer build shrinks the block so that runs cross its end all
    // the time, in the tests and under the fuzzer.
    static constexpr std::streamsize blockSize = VELMORA_PARSER_BLOCK_UNITS;
#else
    static constexpr std::streamsize blockSize = 16384;
#endif

    static Unit unit(wchar_t c) { return static_cast<Unit>(c); }

    // A run that goes on in the next block is gathered apart.
    [[gnu::noinline]] std::wstring_view scanAcrossBlocks(const Delimiters& delimiters,
                                                         const wchar_t* p) {
        spill_.assign(next_, static_cast<size_t>(p - next_));
        while (refill()) {
            p = next_;
            while (!delimiters.stops(unit(*p))) ++p;
            spill_.append(take(p));
            if (p != end_) break;
        }
        return spill_;
    }

    bool refill() {
        if (ended_ || buffer_ == nullptr) return false;
        const std::streamsize got = buffer_->sgetn(block_.get(), blockSize);
        if (got <= 0) {
            finish();
            return false;
        }
        next_ = block_.get();
        end_ = next_ + got;
        block_[got] = sentinel;
        return true;
    }

    // Every later scan must stop at once, not run into what the block held.
    void finish() {
        ended_ = true;
        next_ = end_ = block_.get();
        block_[0] = sentinel;
    }

    std::wstring_view take(const wchar_t* upTo) {
        const std::wstring_view run(next_, static_cast<size_t>(upTo - next_));
        next_ = upTo;
        return run;
    }

    std::wstreambuf* buffer_;
    std::unique_ptr<wchar_t[]> block_;
    const wchar_t* next_;
    const wchar_t* end_;
    bool ended_ = false;
    std::wstring spill_;
};

// The attributes of a tag, as the map handed to the callback. Elements of one
// name in definition files mostly repeat the same attributes in the same
// order, so each name keeps the map of its previous tag: while the names
// repeat, values are read straight into its nodes. Otherwise it is rebuilt
// from recycled nodes. Either way a tag allocates nothing once the strings
// have grown.
class Attributes {
public:
    void beginTag() {
        next_ = 0;
        repeating_ = unique_;
        if (!repeating_) recycleFrom(0);
    }

    // Where the value of the attribute of that name is read.
    std::wstring& valueOf(std::wstring_view name) {
        if (repeating_ && next_ < order_.size() && sameUnits(order_[next_]->first, name)) {
            std::wstring& slot = order_[next_]->second;
            slot.clear();
            return slot;
        }
        if (repeating_) {
            recycleFrom(next_);
            repeating_ = false;
        }
        name_.assign(name);
        value_.clear();
        return value_;
    }

    // The attribute is complete; a later one of the same name replaces it.
    void add() {
        if (repeating_) {
            ++next_;
            return;
        }
        AttributeMap::node_type node = spareNode();
        node.key().swap(name_);
        node.mapped().swap(value_);
        auto result = map_.insert(std::move(node));
        if (!result.inserted) {
            result.position->second.swap(result.node.mapped());
            spare_.push_back(std::move(result.node));
        }
        order_.push_back(result.position);
    }

    const AttributeMap& endTag() {
        if (repeating_) {
            recycleFrom(next_);
        } else {
            unique_ = map_.size() == order_.size();
        }
        return map_;
    }

    const AttributeMap& map() const { return map_; }

private:
    // Drops the attributes from position first on of the previous tag, which
    // held each name once.
    void recycleFrom(size_t first) {
        if (!unique_) {
            first = 0;
            order_.clear();
            while (!map_.empty()) spare_.push_back(map_.extract(map_.begin()));
            unique_ = true;
        }
        for (size_t i = first; i < order_.size(); ++i) spare_.push_back(map_.extract(order_[i]));
        order_.resize(first);
    }

    AttributeMap::node_type spareNode() {
        if (spare_.empty()) {
            AttributeMap fresh;
            fresh.emplace();
            return fresh.extract(fresh.begin());
        }
        AttributeMap::node_type node = std::move(spare_.back());
        spare_.pop_back();
        return node;
    }

    AttributeMap map_;
    std::vector<AttributeMap::iterator> order_;  // this tag's attributes so far, as read
    std::vector<AttributeMap::node_type> spare_;
    std::wstring name_;
    std::wstring value_;
    size_t next_ = 0;
    bool repeating_ = false;
    bool unique_ = true;  // order_ names every node of map_ once
};

// The attribute maps kept per element name. Past a bound every further name
// shares one, so input with endless distinct names cannot hoard memory.
class AttributesByName {
public:
    Attributes& of(const std::wstring& name) {
        const auto found = byName_.find(name);
        if (found != byName_.end()) return found->second;
        if (byName_.size() == maximumNames) return shared_;
        return byName_[name];
    }

private:
    static constexpr size_t maximumNames = 64;
    std::map<std::wstring, Attributes> byName_;
    Attributes shared_;
};

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
