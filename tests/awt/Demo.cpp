// A frame built from panels in every layout, shown until Escape. Once laid
// out it prints, for each coloured area, its colour and a screen point inside
// it, then "ready", so that a screenshot can be checked.
#include <windows.h>

#include <cstdio>
#include <iterator>
#include <list>

#include "awt/BorderLayout.h"
#include "awt/BorderedPanel.h"
#include "awt/CardLayout.h"
#include "awt/Frame.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"

namespace {

// A coloured panel of a fixed preferred size.
struct Swatch : awt::Panel {
    Swatch(COLORREF color, int32_t width, int32_t height) : preferred{width, height} {
        setBackground(color);
    }
    awt::Size getPreferredSize() override { return preferred; }
    awt::Size preferred;
};

constexpr COLORREF groupColor = RGB(220, 230, 240);

class Demo : public awt::Frame, public awt::KeyListener, public awt::ActionListener {
public:
    Demo() : awt::Frame(L"velmora toolkit demo") {
        frameLayout_.setHgap(6);
        frameLayout_.setVgap(6);
        setLayout(&frameLayout_);
        caption_.setLayout(&awt::SharedLayouts::fitLayout());
        caption_.setInsets({3, 3, 3, 3});
        caption_.setBackground(RGB(40, 60, 140));
        add(&caption_, &awt::BorderLayout::NORTH);
        swatch(caption_, RGB(250, 250, 250), 320, 18);
        // A column of swatches in a coloured group box.
        group_.setLayout(&column_);
        column_.setVgap(6);
        group_.setBackground(groupColor);
        add(&group_, &awt::BorderLayout::WEST);
        for (COLORREF color : {RGB(200, 40, 40), RGB(40, 160, 60), RGB(40, 80, 200)}) {
            swatch(group_, color, 90, 30);
        }
        // Labels and values, as the item views will be, on a card.
        cards_.setLayout(&cardLayout_);
        add(&cards_, &awt::BorderLayout::CENTER);
        cards_.add(&settings_, &settingsCard_);
        hidden_ = &swatch(cards_, RGB(255, 255, 0), 200, 100, &hiddenCard_);
        settings_.setLayout(&awt::SharedLayouts::gridFlowLayout());
        awt::SharedLayouts::gridFlowLayout().setHgap(8);
        awt::SharedLayouts::gridFlowLayout().setVgap(4);
        swatch(settings_, RGB(120, 120, 120), 70, 14);
        swatch(settings_, RGB(230, 180, 40), 120, 24);
        swatch(settings_, RGB(120, 120, 120), 50, 14);
        swatch(settings_, RGB(150, 60, 170), 60, 24);
        // A centred row of buttons.
        buttons_.setLayout(&buttonRow_);
        buttonRow_.setHgap(12);
        add(&buttons_, &awt::BorderLayout::SOUTH);
        for (COLORREF color : {RGB(30, 150, 150), RGB(170, 90, 30), RGB(90, 110, 30)}) {
            swatch(buttons_, color, 80, 24);
        }
        awt::Toolkit::getDefaultToolkit().addKeyListener(this);
        setLocation(40, 30);
        pack();
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
        for (const Swatch& s : swatches_) {
            if (&s != hidden_) print(s, s.getBackground(), {20, 7});
        }
        // The group box's own colour, between its first two swatches.
        const Swatch& red = *std::next(swatches_.begin());
        print(red, groupColor, {20, red.getSize().height + 3});
        std::printf("ready\n");
        std::fflush(stdout);
    }

private:
    Swatch& swatch(awt::Container& parent, COLORREF color, int32_t width, int32_t height,
                   const awt::LayoutManager::Constraints* constraints = nullptr) {
        parent.add(&swatches_.emplace_back(color, width, height), constraints);
        return swatches_.back();
    }
    static void print(const awt::Component& c, COLORREF color, POINT point) {
        ClientToScreen(c.getHandle(), &point);
        std::printf("%02X%02X%02X %ld %ld\n", GetRValue(color), GetGValue(color), GetBValue(color),
                    point.x, point.y);
    }

    awt::BorderLayout frameLayout_;
    awt::Panel caption_, cards_, buttons_;
    awt::BorderedPanel group_{L"カテゴリ"}, settings_{L"設定反映"};
    awt::GridLayout column_{0, 1};
    awt::CardLayout cardLayout_;
    awt::CardLayout::Constraints settingsCard_{L"settings"}, hiddenCard_{L"hidden"};
    awt::FlowLayout buttonRow_{awt::FlowLayout::CENTER};
    std::list<Swatch> swatches_;
    const Swatch* hidden_ = nullptr;
};

}  // namespace

int main() {
    awt::Toolkit::setInstance(GetModuleHandleW(nullptr));
    awt::SharedLayouts::create();
    Demo demo;
    demo.setVisible(true);
    demo.setTimer(500, &demo);
    return awt::Toolkit::getDefaultToolkit().run();
}
