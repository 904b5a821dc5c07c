// A frame built from panels in every layout, shown until Escape. Once laid
// out it prints, for each coloured area, a screen point inside it and the
// colour expected there, then "ready", so that a screenshot can be checked.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "awt/BorderLayout.h"
#include "awt/BorderedPanel.h"
#include "awt/CardLayout.h"
#include "awt/FlowLayout.h"
#include "awt/Frame.h"
#include "awt/GridFlowLayout.h"
#include "awt/GridLayout.h"
#include "awt/Panel.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"

namespace {

// A coloured panel of a fixed preferred size.
class Swatch : public awt::Panel {
public:
    Swatch(const char* name, COLORREF color, int32_t width, int32_t height)
        : name_(name), color_(color), preferred_{width, height} {
        setBackground(color);
    }
    awt::Size getPreferredSize() override { return preferred_; }

    void print(int32_t x, int32_t y) const {
        POINT point{x, y};
        ClientToScreen(getHandle(), &point);
        std::printf("%s %02X%02X%02X %ld %ld\n", name_, GetRValue(color_), GetGValue(color_),
                    GetBValue(color_), point.x, point.y);
    }
    void printCentre() const { print(getSize().width / 2, getSize().height / 2); }

private:
    const char* name_;
    COLORREF color_;
    awt::Size preferred_;
};

class Demo : public awt::Frame, public awt::KeyListener, public awt::ActionListener {
public:
    Demo() : awt::Frame(L"velmora toolkit demo") {
        frameLayout_.setHgap(6);
        frameLayout_.setVgap(6);
        setLayout(&frameLayout_);

        caption_.setLayout(&awt::SharedLayouts::fitLayout());
        caption_.setInsets({3, 3, 3, 3});
        caption_.setBackground(RGB(40, 60, 140));
        caption_.add(&title_);
        add(&caption_, &awt::BorderLayout::NORTH);

        categoryLayout_.setVgap(6);
        categories_.setLayout(&categoryLayout_);
        categories_.setBackground(RGB(220, 230, 240));
        for (Swatch* swatch : {&red_, &green_, &blue_}) categories_.add(swatch);
        add(&categories_, &awt::BorderLayout::WEST);

        settingsLayout_.setHorizontalAlignment(awt::GridFlowLayout::LEFT);
        settingsLayout_.setVerticalAlignment(awt::GridFlowLayout::TOP);
        settingsLayout_.setCellVerticalAlignment(awt::GridFlowLayout::CENTER);
        settingsLayout_.setHgap(8);
        settingsLayout_.setVgap(4);
        settings_.setLayout(&settingsLayout_);
        for (Swatch* swatch : {&label1_, &value1_, &label2_, &value2_}) settings_.add(swatch);
        cards_.setLayout(&cardLayout_);
        cards_.add(&settings_, &settingsCard_);
        cards_.add(&hiddenCard_, &hiddenCardName_);
        add(&cards_, &awt::BorderLayout::CENTER);

        buttonLayout_.setHgap(12);
        buttons_.setLayout(&buttonLayout_);
        for (Swatch* swatch : {&apply_, &cancel_, &save_}) buttons_.add(swatch);
        add(&buttons_, &awt::BorderLayout::SOUTH);

        awt::Toolkit::getDefaultToolkit().addKeyListener(this);
        setLocation(40, 30);
        pack();
        setMinimumSize(getSize().width, getSize().height);
    }

    void keyPressed(awt::KeyEvent& e) override {
        if (e.keyCode != VK_ESCAPE) return;
        e.consumed = true;
        dispose();
        PostQuitMessage(0);
    }
    void keyReleased(awt::KeyEvent&) override {}
    void keyTyped(awt::KeyEvent&) override {}

    // Once the first layouts have run and painted.
    void actionPerformed(awt::ActionEvent&) override {
        killTimer(this);
        for (const Swatch* swatch : {&title_, &red_, &green_, &blue_, &label1_, &value1_, &label2_,
                                     &value2_, &apply_, &cancel_, &save_}) {
            swatch->printCentre();
        }
        // Between two swatches of the group box: the group's own colour.
        const awt::Point below = red_.getLocation();
        POINT gap{below.x + red_.getSize().width / 2, below.y + red_.getSize().height + 3};
        ClientToScreen(categories_.getHandle(), &gap);
        std::printf("group DCE6F0 %ld %ld\nready\n", gap.x, gap.y);
        std::fflush(stdout);
    }

    void start() {
        setVisible(true);
        setTimer(500, this);
    }

private:
    awt::BorderLayout frameLayout_;
    awt::Panel caption_;
    Swatch title_{"title", RGB(250, 250, 250), 320, 18};
    awt::BorderedPanel categories_{L"カテゴリ"};
    awt::GridLayout categoryLayout_{0, 1};
    Swatch red_{"red", RGB(200, 40, 40), 90, 30};
    Swatch green_{"green", RGB(40, 160, 60), 90, 30};
    Swatch blue_{"blue", RGB(40, 80, 200), 90, 30};
    awt::Panel cards_;
    awt::CardLayout cardLayout_;
    awt::BorderedPanel settings_{L"設定反映"};
    awt::GridFlowLayout settingsLayout_{0, 2};
    awt::CardLayout::Constraints settingsCard_{L"settings"};
    Swatch label1_{"label1", RGB(120, 120, 120), 70, 14};
    Swatch value1_{"value1", RGB(230, 180, 40), 120, 24};
    Swatch label2_{"label2", RGB(120, 120, 120), 50, 14};
    Swatch value2_{"value2", RGB(150, 60, 170), 60, 24};
    Swatch hiddenCard_{"hidden", RGB(255, 255, 0), 200, 100};
    awt::CardLayout::Constraints hiddenCardName_{L"hidden"};
    awt::Panel buttons_;
    awt::FlowLayout buttonLayout_{awt::FlowLayout::CENTER};
    Swatch apply_{"apply", RGB(30, 150, 150), 80, 24};
    Swatch cancel_{"cancel", RGB(170, 90, 30), 80, 24};
    Swatch save_{"save", RGB(90, 110, 30), 120, 24};
};

}  // namespace

int main() {
    awt::Toolkit::setInstance(GetModuleHandleW(nullptr));
    Demo demo;
    demo.start();
    return awt::Toolkit::getDefaultToolkit().run();
}
