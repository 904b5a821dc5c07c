#include "xml/ParserInput.h"

#include "core/Exception.h"

namespace xml::parsing {

void fail(const std::wstring& message) {
    throw XMLException(message);
}
void fail(const wchar_t* message) {
    throw XMLException(message);
}

bool Input::refill() {
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

std::wstring_view Input::scanAcrossBlocks(const Delimiters& delimiters, const wchar_t* p) {
    spill_.assign(next_, static_cast<size_t>(p - next_));
    while (refill()) {
        p = next_;
        while (!delimiters.stops(unit(*p))) ++p;
        spill_.append(take(p));
        if (p != end_) break;
    }
    return spill_;
}

}  // namespace xml::parsing
