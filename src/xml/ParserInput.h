#pragma once

#include <array>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "xml/Node.h"

// The parser's reading of its input, kept apart from the grammar. Internal to
// the parser.
namespace xml::parsing {

// Code units travel as unsigned values so that the end of input, 0xFFFF,
// compares the same on hosts with 16- and 32-bit wchar_t.
using Unit = unsigned;
constexpr Unit END = 0xFFFF;

inline bool isWhitespace(Unit c) { return c <= 0x20; }

// Kept out of line so that the readers that may fail stay small enough to
// inline.
[[noreturn, gnu::cold, gnu::noinline]] void fail(const std::wstring& message);
[[noreturn, gnu::cold, gnu::noinline]] void fail(const wchar_t* message);

// Names are a few units long: comparing them here beats a library call.
inline bool sameUnits(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
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
                                                         const wchar_t* p);

    bool refill();

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

}  // namespace xml::parsing
