#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "awt/NumberField.h"
#include "core/StringUtil.h"

// Stepping a number field near zero and its bounds, without a peer: the key
// events go straight to the field's own listeners.
namespace {

struct Adjustments : awt::AdjustmentListener {
    void adjustmentValueChanged(awt::AdjustmentEvent& e) override { ids.push_back(e.id); }
    std::vector<int32_t> ids;
};

constexpr int32_t SHIFT = awt::KeyEvent::SHIFT_MASK, CTRL = awt::KeyEvent::CTRL_MASK;

TEST(NumberField, ArrowKeysStepSnapToTheUnitAndStayInBounds) {
    struct Case {
        int32_t unit, minimum, maximum, value, key, modifiers;
        int32_t expected;  // value afterwards
        int32_t id;        // of the one event, or -1 for none
    };
    const Case cases[] = {
        {5, -50, 102, 7, VK_DOWN, SHIFT, 0, 4},  // block 10: -3 snaps toward zero
        {5, -50, 102, -7, VK_DOWN, 0, -10, 2},
        {5, -13, 102, 7, VK_DOWN, CTRL | SHIFT, -13, 0},
        {5, 0, 102, 100, VK_UP, SHIFT, 102, 3},  // 110 limited to the maximum
        {1, 0, 100, 0, VK_DOWN, 0, 0, -1},
        {1, INT_MIN, INT_MAX, INT_MAX, VK_UP, 0, INT_MAX, -1},  // no wrap-around
        {1, INT_MIN, INT_MAX, INT_MIN, VK_DOWN, SHIFT, INT_MIN, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "value " << c.value << ", key " << c.key << "+" << c.modifiers);
        awt::NumberField field(c.value);
        field.setUnitIncrement(c.unit);
        field.setMinimum(c.minimum);
        field.setMaximum(c.maximum);
        Adjustments log;
        field.addAdjustmentListener(&log);
        awt::KeyEvent key(&field, awt::KeyEvent::KEY_PRESSED, c.key, c.modifiers);
        field.processKeyEvent(key);
        EXPECT_TRUE(key.consumed);
        EXPECT_EQ(field.getValue(), c.expected);
        EXPECT_EQ(field.getText(), toString(c.expected));
        EXPECT_EQ(log.ids, c.id < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.id});
    }
}

}  // namespace
