// A frame with panels in every layout. Shown until Escape, it prints each
// coloured area's colour and a screen point of it once it has been laid out
// and painted, then "ready", for a screenshot to be checked against.
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

using Where = const awt::LayoutManager::Constraints*;

// A coloured panel of a fixed preferred size.
struct Swatch : awt::Panel {
    Swatch(COLORREF color, awt::Size size) : preferred(size) { setBackground(color); }
    awt::Size getPreferredSize() override { return preferred; }
    awt::Size preferred;
};

constexpr COLORREF groupColor = RGB(220, 230, 240);

void nest(awt::Container& parent, awt::Container& child, awt::LayoutManager& layout, Where where) {
    child.setLayout(&layout);
    parent.add(&child, where);
}

// The colour as RRGGBB, then x and y on the screen.
void print(HWND window, COLORREF color, POINT point) {
    ClientToScreen(window, &point);
    std::printf("%02X%02X%02X %ld %ld\n", GetRValue(color), GetGValue(color), GetBValue(color),
                point.x, point.y);
}

class Demo : public awt::Frame, public awt::KeyListener, public awt::ActionListener {
public:
    Demo() : Frame(L"velmora toolkit demo") {
        awt::Toolkit::getDefaultToolkit().addKeyListener(this);
        frameLayout_.setHgap(6);
        frameLayout_.setVgap(6);
        column_.setVgap(6);
        buttonRow_.setHgap(12);
        awt::SharedLayouts::gridFlowLayout().setHgap(8);
        awt::SharedLayouts::gridFlowLayout().setVgap(4);
        caption_.setInsets({3, 3, 3, 3});
        caption_.setBackground(RGB(40, 60, 140));
        group_.setBackground(groupColor);
        // A fitted caption, a column in a group box, labels and values on a
        // card beside a hidden one, and a centred row of buttons.
        setLayout(&frameLayout_);
        nest(*this, caption_, awt::SharedLayouts::fitLayout(), &awt::BorderLayout::NORTH);
        nest(*this, group_, column_, &awt::BorderLayout::WEST);
        nest(*this, cards_, cardLayout_, &awt::BorderLayout::CENTER);
        nest(cards_, settings_, awt::SharedLayouts::gridFlowLayout(), &settingsCard_);
        nest(*this, buttons_, buttonRow_, &awt::BorderLayout::SOUTH);
        swatch(caption_, RGB(250, 250, 250), {320, 18});
        for (COLORREF c : {RGB(200, 40, 40), RGB(40, 160, 60)}) swatch(group_, c, {90, 30});
        swatch(cards_, RGB(255, 255, 0), {200, 100}, &hiddenCard_);
        swatch(settings_, RGB(120, 120, 120), {70, 14});
        swatch(settings_, RGB(230, 180, 40), {120, 24});
        swatch(settings_, RGB(150, 60, 170), {60, 24});
        for (COLORREF c : {RGB(30, 150, 150), RGB(170, 90, 30)}) swatch(buttons_, c, {80, 24});
        setLocation(40, 30);
        pack();
    }

    // Escape ends the demo when it is let go: a window gone at the press
    // would leave Wine holding the key down, and the next program would
    // lose its first Escape.
    void keyPressed(awt::KeyEvent& e) override { e.consumed = e.keyCode == VK_ESCAPE; }
    void keyReleased(awt::KeyEvent& e) override {
        if (e.keyCode != VK_ESCAPE) return;
        e.consumed = true;
        dispose();
        PostQuitMessage(0);
    }
    void keyTyped(awt::KeyEvent&) override {}

    // The timer of main(), once the first layouts have run and painted.
    void actionPerformed(awt::ActionEvent&) override {
        killTimer(this);
        for (const Swatch& s : swatches_) {
            if (s.getParent() != &cards_) print(s.getHandle(), s.getBackground(), {20, 7});
        }
        // The group box's own colour, between its first two swatches.
        const Swatch& red = *std::next(swatches_.begin());
        print(red.getHandle(), groupColor, {20, red.getSize().height + 3});
        std::printf("ready\n");
        std::fflush(stdout);
    }

private:
    void swatch(awt::Container& parent, COLORREF color, awt::Size size, Where where = nullptr) {
        parent.add(&swatches_.emplace_back(color, size), where);
    }

    // Layouts first: they outlive the containers, which use them until the end.
    awt::BorderLayout frameLayout_;
    awt::GridLayout column_{0, 1};
    awt::CardLayout cardLayout_;
    awt::CardLayout::Constraints settingsCard_{L"settings"}, hiddenCard_{L"hidden"};
    awt::FlowLayout buttonRow_{awt::FlowLayout::CENTER};
    awt::Panel caption_, cards_, buttons_;
    awt::BorderedPanel group_{L"カテゴリ"}, settings_{L"設定反映"};
    std::list<Swatch> swatches_;
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
