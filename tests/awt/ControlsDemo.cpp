// Every kind of control with Japanese texts, for a person to read in the
// screenshot; the check is the read-only text area's background colour.
#include "DemoFrame.h"
#include "awt/BorderLayout.h"
#include "awt/BorderedPanel.h"
#include "awt/Button.h"
#include "awt/Checkbox.h"
#include "awt/CheckboxGroup.h"
#include "awt/Choice.h"
#include "awt/Label.h"
#include "awt/NumberField.h"
#include "awt/TextArea.h"
#include "awt/TextField.h"
#include "awt/UsefulTree.h"

namespace {

const wchar_t* const description =
    L"この画面はツールキットの部品を一通り並べたものです。\r\n"
    L"説明欄は読み取り専用で、ウィンドウと同じ背景色になります。\r\n"
    L"数値欄では上下キーで値が変わり、Shift で大きく、Ctrl で端まで動きます。\r\n"
    L"入力した数値は二秒後に範囲内の値へ書き直されます。";

class ControlsDemo : public DemoFrame {
public:
    ControlsDemo() : DemoFrame(L"velmora controls demo") {
        frameLayout_.setHgap(8);
        frameLayout_.setVgap(8);
        row_.setHgap(6);
        radioRow_.setHgap(6);
        awt::SharedLayouts::gridFlowLayout().setHgap(10);
        awt::SharedLayouts::gridFlowLayout().setVgap(6);
        setLayout(&frameLayout_);
        addCategories();
        add(&tree_, &awt::BorderLayout::WEST);
        nest(*this, settings_, awt::SharedLayouts::gridFlowLayout(), &awt::BorderLayout::CENTER);
        nest(*this, buttons_, row_, &awt::BorderLayout::SOUTH);
        area_.setEditable(false);
        area_.setLineSpacing(40);
        add(&area_, &awt::BorderLayout::NORTH);

        pair(captionLabel_, label_);
        pair(checkLabel_, check_);
        radios_.setLayout(&radioRow_);
        for (awt::Checkbox& radio : radio_) radios_.add(&radio);
        pair(radioLabel_, radios_);
        for (const wchar_t* item : {L"全カテゴリ", L"システムのみ", L"ユーザのみ"})
            choice_.add(item);
        choice_.select(1);
        pair(choiceLabel_, choice_);
        pair(fieldLabel_, field_);
        number_.setMinimum(0);
        number_.setMaximum(3600);
        number_.setUnitIncrement(5);
        numberRow_.setLayout(&row_);
        numberRow_.add(&number_);
        numberRow_.add(&unit_);
        pair(numberLabel_, numberRow_);
        buttons_.add(&apply_);
        buttons_.add(&cancel_);

        setLocation(20, 20);
        pack();
    }

    void printChecks() override {
        RECT client;
        GetClientRect(area_.getHandle(), &client);
        print(area_.getHandle(), GetSysColor(COLOR_BTNFACE), {client.right - 4, client.bottom - 4});
    }

private:
    void addCategories() {
        awt::Tree::Node* system = tree_.addNode(tree_.getRoot(), L"システム");
        for (const wchar_t* text : {L"メモリ", L"ファイルシステム", L"ネットワーク"})
            tree_.addNode(system, text);
        tree_.setExpanded(system, true);
        awt::Tree::Node* user = tree_.addNode(tree_.getRoot(), L"ユーザ");
        tree_.addNode(user, L"エクスプローラ");
        tree_.addNode(tree_.getRoot(), L"ツール");
        tree_.setLinesAtRoot(true);
    }
    void pair(awt::Component& caption, awt::Component& control) {
        settings_.add(&caption);
        settings_.add(&control);
    }

    // Layouts first: they outlive the containers, which use them until the end.
    awt::BorderLayout frameLayout_;
    awt::FlowLayout row_{awt::FlowLayout::LEFT}, radioRow_{awt::FlowLayout::LEFT};
    awt::BorderedPanel settings_{L"設定"};
    awt::Panel buttons_, numberRow_;
    awt::Label captionLabel_{L"ラベル"}, label_{L"項目の説明を表示します"};
    awt::Label checkLabel_{L"チェック"}, radioLabel_{L"大きさ"}, choiceLabel_{L"対象"};
    awt::Label fieldLabel_{L"名前"}, numberLabel_{L"待ち時間"}, unit_{L"秒"};
    awt::Checkbox check_{L"有効にする", true};
    awt::CheckboxGroup radios_;
    awt::Checkbox radio_[3] = {
        {L"小さい", false, &radios_}, {L"普通", true, &radios_}, {L"大きい", false, &radios_}};
    awt::Choice choice_;
    awt::TextField field_{L"ユーザ名", 24};
    awt::NumberField number_{30};
    awt::TextArea area_{description, 4, 60};
    awt::Button apply_{L"適用"}, cancel_{L"キャンセル"};
    awt::UsefulTree tree_;
};

}  // namespace

int main() { return runDemo<ControlsDemo>(); }
