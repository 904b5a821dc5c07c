#include "awt/NumberField.h"

#include <windows.h>
// After windows.h, which it relies on.
#include <imm.h>

#include <algorithm>

#include "core/Exception.h"
#include "core/StringUtil.h"

namespace awt {

NumberField::NumberField(int32_t value)
    : TextField(toString(value), 7), handler_(std::make_unique<Handler>(*this)), value_(value) {
    addKeyListener(handler_.get());
    addTextListener(handler_.get());
}

// ES_AUTOHSCROLL stays off: the field is made wide enough for its numbers.
// The bit 0x80000 means nothing to an edit control; it is part of the style
// that the field has always been created with.
uint32_t NumberField::getStyle() {
    return TextComponent::getStyle() | ES_RIGHT | ES_NUMBER | 0x80000;
}

HWND NumberField::createPeer() {
    HWND window = TextField::createPeer();
    // Only keys typed directly: an input method would offer full-width
    // digits, which the field cannot read.
    ImmAssociateContext(window, nullptr);
    return window;
}

Size NumberField::getPreferredSize() {
    if (preferredSize_.width == -1) {
        Size digit;
        getTextExtent(L"8", &digit, nullptr);
        preferredSize_ = {getColumns() * digit.width + 2 * GetSystemMetrics(SM_CXEDGE) + 4,
                          digit.height + 2 * GetSystemMetrics(SM_CYEDGE) + 2};
    }
    return preferredSize_;
}

void NumberField::setValue(int32_t value, int32_t id) { changeValue(value, id); }

int32_t NumberField::snap(int64_t value) const {
    value -= value % unitIncrement_;
    return static_cast<int32_t>(std::max<int64_t>(std::min<int64_t>(value, maximum_), minimum_));
}

bool NumberField::changeValue(int32_t value, int32_t id) {
    if (value == value_) return false;
    value_ = value;
    synchronizeText();
    fireAdjustmentValueChanged(id, value_);
    return true;
}

void NumberField::synchronizeText() {
    const std::wstring text = toString(value_);
    if (text == getText()) return;
    synchronizing_ = true;
    try {
        setText(text);
    } catch (...) {
        synchronizing_ = false;
        throw;
    }
    synchronizing_ = false;
    setCaretPosition(static_cast<int32_t>(text.size()));
}

void NumberField::Handler::keyPressed(KeyEvent& event) {
    const bool up = event.keyCode == VK_UP;
    if (!up && event.keyCode != VK_DOWN) return;
    // Whether the value moved or not, the edit control must not see the key.
    event.consumed = true;
    NumberField& f = field_;
    const int64_t value = f.value_;
    if ((event.modifiers & KeyEvent::CTRL_MASK) != 0) {
        f.changeValue(up ? f.maximum_ : f.minimum_, VALUE_SET);
    } else if ((event.modifiers & KeyEvent::SHIFT_MASK) != 0) {
        f.changeValue(f.snap(up ? value + f.blockIncrement_ : value - f.blockIncrement_),
                      up ? BLOCK_INCREMENT : BLOCK_DECREMENT);
    } else {
        f.changeValue(f.snap(up ? value + f.unitIncrement_ : value - f.unitIncrement_),
                      up ? UNIT_INCREMENT : UNIT_DECREMENT);
    }
}

// The value follows valid input at once; the text is left as typed, so that
// the user can go on typing, until the timer rewrites it.
void NumberField::Handler::textValueChanged(TextEvent&) {
    NumberField& f = field_;
    // The field's own rewrite shows the value already; parsed and snapped
    // again, a value off the unit grid (the maximum, say) would move.
    if (f.synchronizing_) return;
    try {
        const int32_t value = f.snap(parseInt(f.getText()));
        if (value != f.value_) {
            f.value_ = value;
            f.fireAdjustmentValueChanged(VALUE_SET, value);
        }
    } catch (const NumberFormatException&) {
        // Not a number yet: the value stays, the timer corrects the text.
    }
    if (timerRunning_) f.killTimer(this);
    f.setTimer(2000, this);
    timerRunning_ = true;
}

void NumberField::Handler::actionPerformed(ActionEvent&) { field_.synchronizeText(); }

}  // namespace awt
