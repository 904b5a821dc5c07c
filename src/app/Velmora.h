#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "awt/BorderLayout.h"
#include "awt/CardLayout.h"
#include "awt/Choice.h"
#include "awt/FlowLayout.h"
#include "awt/Frame.h"
#include "awt/GridFlowLayout.h"
#include "awt/GridLayout.h"
#include "awt/MemFun.h"
#include "awt/Panel.h"
#include "awt/TextArea.h"
#include "app/CategoryTreeView.h"
#include "app/SearchField.h"
#include "app/SteadyPanel.h"
#include "app/TunedMarks.h"
#include "config/SettingSearch.h"
#include "views/RecursiveListener.h"

class Category;
class Customizer;
class Item;
class ItemGroup;
class ItemGroupSelector;
namespace awt {
class Label;
}

// The program's one window: the category tree, a page of item views per
// category, the help area and the commands. Its construction loads the whole
// catalogue; it owns every component it makes, but not the catalogue, which
// lives until the process ends.
class Velmora : public awt::Frame, public awt::WindowListener, public awt::KeyListener {
public:
    // Shows the key's card of one selector page when the user picks a key.
    class ItemGroupSelectorListener : public awt::ItemListener {
    public:
        ItemGroupSelectorListener(Velmora& window, std::vector<std::wstring> keys,
                                  awt::Choice& choice, awt::Panel& cards);
        void itemStateChanged(awt::ItemEvent& event) override;

    private:
        Velmora& window_;
        std::vector<std::wstring> keys_;
        awt::Choice& choice_;
        awt::Panel& cards_;
    };

    // Puts its subject's help into the help area when the user rests the
    // pointer on its box for a moment, clicks into it or moves the focus there.
    class HelpKicker : public RecursiveListener,
                       public awt::MouseListener,
                       public awt::FocusListener,
                       public awt::ActionListener {
    public:
        static constexpr uint32_t DELAY_MILLISECONDS = 800;

        HelpKicker(Velmora& window, Customizer& subject) : window_(window), subject_(subject) {}

        void attach(awt::Component& component) override;
        void detach(awt::Component& component) override;
        void mouseEntered(awt::MouseEvent& event) override;
        void mouseExited(awt::MouseEvent& event) override;
        void mousePressed(awt::MouseEvent& event) override;
        void focusGained(awt::FocusEvent& event) override;
        void actionPerformed(awt::ActionEvent& event) override;

    private:
        void showHelp();

        Velmora& window_;
        Customizer& subject_;
        bool inside_ = false;
        bool pending_ = false;
    };

    // arguments: the command line after the program path. Throws what
    // reading the command line, loading or building throws.
    explicit Velmora(const std::vector<std::wstring>& arguments);
    ~Velmora() override;

    void addNotify() override;
    void windowClosing(awt::WindowEvent& event) override;
    void keyPressed(awt::KeyEvent& event) override;
    void keyReleased(awt::KeyEvent&) override {}
    void keyTyped(awt::KeyEvent&) override {}

    void setHelpText(const std::wstring& text);
    void showCategory(Category* category);
    void setTargetFilter(uint32_t mask);
    uint32_t getTargetFilter() const { return targetFilter_; }
    void selectNeighbourCategory(int direction);

    void onTreeSelection(awt::ItemEvent& event);
    void onTargetChanged(awt::ItemEvent& event);
    void onSearchChanged();
    void onApply();
    void onCancel();
    void onSave();
    // Applies every item, whatever the filter shows, reporting each failure,
    // then asks for the log-off or restart that the applied items need.
    void applyAll();
    // Writes the undo file of the apply to come, before anything is
    // applied. When it cannot be written the user is asked whether to apply
    // without it; false when nothing is to be applied, the window staying.
    bool keepUndoFile();
    // Saves what the filter shows to the file; a failure is shown in a box
    // and nothing is reported as saved. True when the file was written.
    bool saveTo(const std::wstring& path);
    void showAbout();
    void playMp3();

    // Three lines joined by CR LF, the first naming the program, its
    // version and release.
    static std::wstring aboutText();
    // The text of the box that reports an item that could not be applied.
    static std::wstring itemErrorText(const Item& item, const std::wstring& message);

    awt::TextArea& getHelpArea() { return helpArea_; }
    SearchField& getSearchField() { return *searchField_; }

private:
    template <typename T, typename... Args>
    T* make(Args&&... args);

    void build();
    awt::Panel* captionPanel(const std::wstring& text, bool titleBar);
    void addPages(const std::vector<Category*>& categories);
    awt::Component* categoryPage(Category& category);
    awt::Component* selectorPage(ItemGroupSelector& selector);
    awt::Component* groupBox(ItemGroup& group);
    awt::Tree::Node* nodeOf(Category* category);
    // Selects the node and shows its category's page and help.
    void showNode(awt::Tree::Node* node);
    // Brings the tree, the pages and the page on show in line with what the
    // search now shows after a change of the filter or the search text.
    void refilter(SettingSearch::Change change);
    // Shows the views of the category's page that the search shows, unless
    // the page is up to date with the last change already.
    void refreshPage(const Category& category);
    awt::Component* viewOf(const Customizer* subject) const;
    void close();
    // The yes/no box; only Yes shuts down, with the ExitWindowsEx flags.
    void askToShutDown(uint32_t textId, uint32_t exitFlags);
    int message(const std::wstring& text, uint32_t flags);
    std::wstring text(uint32_t id) const;

    std::wstring itemsDirectory_;
    std::wstring iconPath_;
    uint32_t targetFilter_ = 0xFFFFFFFF;
    std::vector<Category*> categories_;
    SettingSearch search_;
    // Counts the changes of what the search shows; each page remembers the
    // count it was last brought up to date with.
    uint32_t filterGeneration_ = 0;
    std::map<const Category*, uint32_t> pageGenerations_;
    // The category of the page on show, or of the page last on show while
    // the search finds nothing.
    Category* pageCategory_ = nullptr;

    // Layouts, listeners and kickers come before the components, so that
    // they outlive them: a component leaving its container still reaches
    // them.
    awt::BorderLayout upperLayout_;
    awt::GridFlowLayout pageLayout_{0, 1};
    awt::BorderLayout mainLayout_;
    awt::FlowLayout barLayout_{awt::FlowLayout::CENTER};
    awt::GridLayout buttonLayout_{1, 0};
    awt::BorderLayout frameLayout_;
    awt::BorderLayout leftLayout_;
    awt::BorderLayout headLayout_;
    awt::CardLayout pageCards_;
    std::vector<std::unique_ptr<awt::LayoutManager>> ownLayouts_;
    awt::item_mem_fun<Velmora> treeListener_{this, &Velmora::onTreeSelection};
    awt::item_mem_fun<Velmora> targetListener_{this, &Velmora::onTargetChanged};
    awt::text_mem_fun<Velmora> searchListener_{this, &Velmora::onSearchChanged};
    awt::action_mem_fun<Velmora> applyListener_{this, &Velmora::onApply};
    awt::action_mem_fun<Velmora> cancelListener_{this, &Velmora::onCancel};
    awt::action_mem_fun<Velmora> saveListener_{this, &Velmora::onSave};
    std::vector<std::unique_ptr<HelpKicker>> kickers_;
    std::vector<std::unique_ptr<ItemGroupSelectorListener>> selectorListeners_;

    CategoryTreeView tree_;
    awt::Choice targetChoice_;
    awt::Panel pagePanel_;
    awt::TextArea helpArea_{L"", 8, 100};
    std::unique_ptr<awt::Label> versionLabel_;
    awt::Panel headPanel_;
    SteadyPanel leftPanel_;
    SteadyPanel upperPanel_;
    awt::Panel mainPanel_;
    awt::Panel buttonPanel_;
    awt::Panel barPanel_;
    std::vector<std::unique_ptr<awt::Component>> components_;
    // After the components, so that it goes first: no setting's change
    // reaches a component that is gone.
    TunedMarks marks_{tree_, search_};
    SearchField* searchField_ = nullptr;

    std::map<const Customizer*, awt::Component*> views_;
    // The name shown beside an item's view, which goes and comes with it.
    std::map<const Customizer*, awt::Component*> labels_;
    int32_t selecting_ = 0;
    HICON smallIcon_ = nullptr;
    HICON bigIcon_ = nullptr;
};
