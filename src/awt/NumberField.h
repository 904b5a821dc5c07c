#pragma once

#include <cstdint>
#include <memory>

#include "awt/AdjustmentEventSource.h"
#include "awt/TextField.h"

namespace awt {

// A field holding a bounded whole number. Up and Down step it by the unit
// increment, with Shift by the block increment, with Ctrl to the maximum or
// minimum; stepped values snap to multiples of the unit increment. Typed
// text sets the value as soon as it is a number, and the text is rewritten
// to the value two seconds after the last edit.
//
// Adjustment ids: VALUE_SET for typed text, Ctrl+arrow and setValue with
// that id; the other four for the steps.
class NumberField : public TextField, public AdjustmentEventSource {
public:
    static constexpr int32_t VALUE_SET = 0;
    static constexpr int32_t UNIT_INCREMENT = 1;
    static constexpr int32_t UNIT_DECREMENT = 2;
    static constexpr int32_t BLOCK_INCREMENT = 3;
    static constexpr int32_t BLOCK_DECREMENT = 4;

    // Follows the user's keys and edits for its field.
    class Handler : public KeyListener, public TextListener, public ActionListener {
    public:
        explicit Handler(NumberField& field) : field_(field) {}

        void keyPressed(KeyEvent& event) override;
        void keyReleased(KeyEvent&) override {}
        void keyTyped(KeyEvent&) override {}
        void textValueChanged(TextEvent& event) override;
        // The timer that rewrites the text.
        void actionPerformed(ActionEvent& event) override;

    private:
        NumberField& field_;
        bool timerRunning_ = false;
    };

    explicit NumberField(int32_t value);

    uint32_t getStyle() override;
    HWND createPeer() override;
    Size getPreferredSize() override;

    int32_t getValue() const { return value_; }
    // Not clamped: the program may show any value.
    void setValue(int32_t value, int32_t id);
    int32_t getMinimum() const { return minimum_; }
    int32_t getMaximum() const { return maximum_; }
    void setMinimum(int32_t minimum) { minimum_ = minimum; }
    void setMaximum(int32_t maximum) { maximum_ = maximum; }
    int32_t getUnitIncrement() const { return unitIncrement_; }
    int32_t getBlockIncrement() const { return blockIncrement_; }
    // A step of 0 would never move and cannot snap; it counts as 1.
    void setUnitIncrement(int32_t increment) { unitIncrement_ = increment != 0 ? increment : 1; }
    void setBlockIncrement(int32_t increment) { blockIncrement_ = increment != 0 ? increment : 1; }

private:
    // Down to a multiple of the unit increment (toward zero), then into the
    // bounds. Wide, so that a step past either end of the 32-bit range stops
    // there instead of wrapping around.
    int32_t snap(int64_t value) const;
    // Stores the value and fires, if it changed; true when it did.
    bool changeValue(int32_t value, int32_t id);
    void synchronizeText();

    std::unique_ptr<Handler> handler_;
    int32_t value_;
    int32_t minimum_ = INT32_MIN;
    int32_t maximum_ = INT32_MAX;
    int32_t unitIncrement_ = 1;
    int32_t blockIncrement_ = 10;
    // Set while the field rewrites its own text, whose change notification
    // must not be taken for the user's input.
    bool synchronizing_ = false;
};

}  // namespace awt
