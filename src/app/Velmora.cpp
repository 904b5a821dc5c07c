#include "app/Velmora.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "app/CommandLine.h"
#include "app/Shutdown.h"
#include "app/UndoFile.h"
#include "app/WindowBudget.h"
#include "awt/BorderedPanel.h"
#include "awt/Button.h"
#include "awt/FileDialog.h"
#include "awt/FitLayout.h"
#include "awt/Label.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"
#include "config/CatalogueWalk.h"
#include "config/Category.h"
#include "config/CategoryTree.h"
#include "config/DefinitionLoader.h"
#include "config/ItemGroup.h"
#include "config/ItemGroupSelector.h"
#include "core/Constants.h"
#include "core/Exception.h"
#include "core/Launch.h"
#include "core/Platform.h"
#include "core/StringUtil.h"
#include "items/Item.h"
#include "items/SaveTarget.h"

namespace {

// The program's string table.
enum StringId : uint32_t {
    TITLE = 3,
    CATEGORY_HEADER = 4,
    FILTER_ALL = 5,
    FILTER_SYSTEM = 6,
    FILTER_USER = 7,
    APPLY = 8,
    CANCEL = 9,
    SAVE = 10,
    LOGOFF_QUESTION = 11,
    RESTART_QUESTION = 12,
    NO_SHUTDOWN_RIGHT = 14,
    NO_RESTART_RIGHT = 18,
    NO_PLAYER = 19,
    MP3_PLAYBACK = 20,
    NO_UNDO_FILE = 21,
    SEARCH = 22,
};

constexpr UINT QUESTION_FLAGS = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;

}  // namespace

Velmora::ItemGroupSelectorListener::ItemGroupSelectorListener(Velmora& window,
                                                              std::vector<std::wstring> keys,
                                                              awt::Choice& choice,
                                                              awt::Panel& cards)
    : window_(window), keys_(std::move(keys)), choice_(choice), cards_(cards) {}

void Velmora::ItemGroupSelectorListener::itemStateChanged(awt::ItemEvent&) {
    const int32_t index = choice_.getSelectedIndex();
    if (index < 0 || index >= static_cast<int32_t>(keys_.size())) return;
    auto* cards = dynamic_cast<awt::CardLayout*>(cards_.getLayout());
    if (cards != nullptr) cards->show(cards_, keys_[index]);
    (void)window_;
}

void Velmora::HelpKicker::attach(awt::Component& component) {
    component.addMouseListener(this);
    component.addFocusListener(this);
}

void Velmora::HelpKicker::detach(awt::Component& component) {
    component.removeMouseListener(this);
    component.removeFocusListener(this);
}

void Velmora::HelpKicker::mouseEntered(awt::MouseEvent&) {
    inside_ = true;
    if (pending_) return;
    pending_ = true;
    window_.setTimer(DELAY_MILLISECONDS, this);
}

void Velmora::HelpKicker::mouseExited(awt::MouseEvent&) { inside_ = false; }

void Velmora::HelpKicker::mousePressed(awt::MouseEvent&) { showHelp(); }

void Velmora::HelpKicker::focusGained(awt::FocusEvent&) { showHelp(); }

void Velmora::HelpKicker::actionPerformed(awt::ActionEvent&) {
    // One tick is enough: a timer left running would wake the program five
    // times a second for every box the pointer ever crossed.
    window_.killTimer(this);
    if (inside_) showHelp();
    pending_ = false;
}

void Velmora::HelpKicker::showHelp() { window_.setHelpText(subject_.getHelp()); }

Velmora::Velmora(const std::vector<std::wstring>& arguments) {
    const std::wstring folder = CommandLine::resourceFolder();
    iconPath_ = joinPath(folder, L"velmora.ico");
    itemsDirectory_ =
        CommandLine(arguments, joinPath(folder, CommandLine::DEFAULT_ITEMS_DIRECTORY))
            .getItemsDirectory();
    DefinitionLoader loader(itemsDirectory_);
    loader.loadAll();
    categories_ = loader.getCategories();
    search_ = SettingSearch(categories_);
    build();
    // An empty catalogue ends start-up: there is no page to show.
    if (categories_.empty()) throw std::out_of_range("no category to show");
    showCategory(categories_.front());
}

Velmora::~Velmora() {
    awt::Toolkit::getDefaultToolkit().removeKeyListener(this);
    if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
    if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
}

template <typename T, typename... Args>
T* Velmora::make(Args&&... args) {
    auto component = std::make_unique<T>(std::forward<Args>(args)...);
    T* made = component.get();
    components_.push_back(std::move(component));
    return made;
}

std::wstring Velmora::text(uint32_t id) const {
    return awt::Toolkit::getDefaultToolkit().loadString(id);
}

void Velmora::build() {
    setTitle(text(TITLE));

    const bool nested = std::any_of(categories_.begin(), categories_.end(), [](Category* c) {
        return !c->getSubCategories().empty();
    });
    tree_.setLinesAtRoot(nested);
    tree_.setMarked([this](const Category& category) { return marks_.marks(category); });
    tree_.showCategories(categories_, search_);
    tree_.addItemListener(&treeListener_);

    for (uint32_t id : {FILTER_ALL, FILTER_SYSTEM, FILTER_USER}) targetChoice_.add(text(id));
    targetChoice_.select(0);
    targetChoice_.addItemListener(&targetListener_);

    pagePanel_.setLayout(&pageCards_);
    pageLayout_.setVerticalAlignment(awt::GridFlowLayout::TOP);
    addPages(categories_);

    helpArea_.setEditable(false);
    helpArea_.setLineSpacing(2);

    auto* apply = make<awt::Button>(text(APPLY));
    auto* cancel = make<awt::Button>(text(CANCEL));
    auto* save = make<awt::Button>(text(SAVE));
    apply->addActionListener(&applyListener_);
    cancel->addActionListener(&cancelListener_);
    save->addActionListener(&saveListener_);
    buttonPanel_.setLayout(&buttonLayout_);
    buttonPanel_.add(apply);
    buttonPanel_.add(cancel);
    barPanel_.setLayout(&barLayout_);
    barPanel_.add(&buttonPanel_);
    barPanel_.add(save);

    versionLabel_ = std::make_unique<awt::Label>(programName + L"/" + programVersion);

    searchField_ = make<SearchField>(text(SEARCH));
    searchField_->getField().addTextListener(&searchListener_);
    headPanel_.setLayout(&headLayout_);
    headPanel_.add(searchField_, &awt::BorderLayout::NORTH);
    headPanel_.add(captionPanel(text(CATEGORY_HEADER), false), &awt::BorderLayout::SOUTH);
    leftPanel_.setLayout(&leftLayout_);
    leftPanel_.add(&headPanel_, &awt::BorderLayout::NORTH);
    leftPanel_.add(&tree_, &awt::BorderLayout::CENTER);
    leftPanel_.add(&targetChoice_, &awt::BorderLayout::SOUTH);
    upperPanel_.setLayout(&upperLayout_);
    upperPanel_.add(&leftPanel_, &awt::BorderLayout::WEST);
    upperPanel_.add(&pagePanel_, &awt::BorderLayout::CENTER);
    mainPanel_.setLayout(&mainLayout_);
    mainPanel_.add(&upperPanel_, &awt::BorderLayout::NORTH);
    mainPanel_.add(&helpArea_, &awt::BorderLayout::CENTER);
    mainPanel_.add(&barPanel_, &awt::BorderLayout::SOUTH);
    setLayout(&frameLayout_);
    add(&mainPanel_, &awt::BorderLayout::CENTER);
    add(versionLabel_.get(), &awt::BorderLayout::SOUTH);

    // Before anything outside the window holds on to it.
    WindowBudget::check(*this, itemsDirectory_);
    addWindowListener(this);
    awt::Toolkit::getDefaultToolkit().addKeyListener(this);

    pack();
    // The help area asks for 100 average characters, which with a wide
    // fallback font is more than a small screen holds; the window is kept
    // on the screen, and the page and help area share what there is. The
    // tree gives up height first: it scrolls, and a long catalogue would
    // otherwise leave the help area a line or two.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // Asked, not got: the system already keeps a window within the screen.
    const int32_t overflow = getPreferredSize().height - (work.bottom - work.top);
    if (overflow > 0) {
        tree_.setHeightLimit(std::max<int32_t>(tree_.getPreferredSize().height - overflow, 1));
        pack();
    }
    leftPanel_.holdSize();
    upperPanel_.holdSize();
    const awt::Size packed = getSize();
    const int32_t width = std::min<int32_t>(packed.width, work.right - work.left);
    const int32_t height = std::min<int32_t>(packed.height, work.bottom - work.top);
    if (width > 0 && height > 0 && (width != packed.width || height != packed.height)) {
        setSize(width, height);
    }
    const awt::Size fitted = getSize();
    setMinimumSize(fitted.width, fitted.height);

    // A missing or unreadable icon file leaves the system's icon; it is no
    // error.
    smallIcon_ = static_cast<HICON>(LoadImageW(nullptr, iconPath_.c_str(), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_LOADFROMFILE));
    bigIcon_ = static_cast<HICON>(LoadImageW(nullptr, iconPath_.c_str(), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_LOADFROMFILE));
    if (smallIcon_ != nullptr && bigIcon_ != nullptr) setIcons(smallIcon_, bigIcon_);
}

void Velmora::addNotify() {
    awt::Frame::addNotify();
    TEXTMETRICW metrics{};
    getTextExtent(L"", nullptr, &metrics);
    const int32_t h = metrics.tmHeight;
    const int32_t w = metrics.tmAveCharWidth;
    upperLayout_.setHgap(w);
    pageLayout_.setVgap(h / 2);
    mainLayout_.setVgap(h / 2);
    headLayout_.setVgap(h / 2);
    barLayout_.setHgap(2 * w);
    buttonLayout_.setHgap(w);
    awt::SharedLayouts::gridFlowLayout().setHgap(w);
    awt::SharedLayouts::gridFlowLayout().setVgap(h / 2);
    awt::SharedLayouts::flowLayout().setHgap(w);
}

awt::Panel* Velmora::captionPanel(const std::wstring& caption, bool titleBar) {
    auto* panel = make<awt::Panel>();
    panel->setLayout(&awt::SharedLayouts::fitLayout());
    const int32_t vertical = GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYBORDER);
    const int32_t horizontal = GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXBORDER);
    panel->setInsets({vertical, horizontal, vertical, horizontal});
    auto* label = make<awt::Label>(caption);
    if (titleBar) {
        label->setForeground(GetSysColor(COLOR_CAPTIONTEXT));
        label->setBackground(GetSysColor(COLOR_ACTIVECAPTION));
        panel->setBackground(GetSysColor(COLOR_ACTIVECAPTION));
    }
    panel->add(label);
    return panel;
}

void Velmora::addPages(const std::vector<Category*>& categories) {
    for (Category* category : categories) {
        auto* selector = dynamic_cast<ItemGroupSelector*>(category);
        awt::Component* page = selector != nullptr ? selectorPage(*selector) : categoryPage(*category);
        const awt::CardLayout::Constraints card(category->getId());
        pagePanel_.add(page, &card);
        views_[category] = page;
        addPages(category->getSubCategories());
    }
}

awt::Component* Velmora::categoryPage(Category& category) {
    auto* page = make<awt::Panel>();
    page->setLayout(&pageLayout_);
    page->add(captionPanel(category.getName(), true));
    for (ItemGroup* group : category.getItemGroups()) page->add(groupBox(*group));
    return page;
}

awt::Component* Velmora::selectorPage(ItemGroupSelector& selector) {
    auto* page = make<awt::Panel>();
    page->setLayout(&pageLayout_);
    page->add(captionPanel(selector.getName(), true));

    auto* bar = make<awt::Panel>();
    bar->setLayout(&awt::SharedLayouts::flowLayout());
    bar->add(make<awt::Label>(selector.getSelectorLabel()));
    auto* choice = make<awt::Choice>();
    bar->add(choice);
    kickers_.push_back(std::make_unique<HelpKicker>(*this, selector));
    kickers_.back()->setRoot(bar);
    page->add(bar);

    auto* cards = make<awt::Panel>();
    ownLayouts_.push_back(std::make_unique<awt::CardLayout>());
    cards->setLayout(ownLayouts_.back().get());
    const std::vector<std::wstring> keys = selector.getKeys();
    for (const std::wstring& key : keys) {
        choice->add(selector.getKeyName(key));
        auto* card = make<awt::Panel>();
        card->setLayout(&pageLayout_);
        for (ItemGroup* group : selector.getItemGroupsFor(key)) card->add(groupBox(*group));
        const awt::CardLayout::Constraints name(key);
        cards->add(card, &name);
    }
    if (!keys.empty()) choice->select(0);
    selectorListeners_.push_back(
        std::make_unique<ItemGroupSelectorListener>(*this, keys, *choice, *cards));
    choice->addItemListener(selectorListeners_.back().get());
    page->add(cards);
    return page;
}

awt::Component* Velmora::groupBox(ItemGroup& group) {
    auto* box = make<awt::BorderedPanel>(group.getName());
    const bool alone = group.getItemCount() == 1;
    if (alone) {
        box->setLayout(&awt::SharedLayouts::gridLayout());
    } else {
        box->setLayout(&awt::SharedLayouts::gridFlowLayout());
    }
    for (Item* item : group.getItems()) {
        awt::Component* view = item->createView();
        components_.emplace_back(view);
        if (!alone) {
            auto* label = make<awt::Label>(item->getName());
            box->add(label);
            labels_[item] = label;
        }
        box->add(view);
        views_[item] = view;
        // The box's title names a setting that has it to itself.
        marks_.watch(*item, alone ? *box : *labels_[item]);
    }
    views_[&group] = box;
    kickers_.push_back(std::make_unique<HelpKicker>(*this, group));
    kickers_.back()->setRoot(box);
    return box;
}

awt::Tree::Node* Velmora::nodeOf(Category* category) {
    std::vector<Category*> chain;
    for (Category* c = category; c != nullptr; c = c->getParent()) chain.push_back(c);
    awt::Tree::Node* node = tree_.getRoot();
    for (auto member = chain.rbegin(); member != chain.rend() && node != nullptr; ++member) {
        node = awt::Tree::findChild(node, *member);
    }
    return node;
}

void Velmora::showCategory(Category* category) {
    awt::Tree::Node* node = nodeOf(category);
    if (node == nullptr) {
        if (tree_.getRoot()->getChildCount() == 0) return;
        node = awt::Tree::getChild(tree_.getRoot(), 0);
    }
    showNode(node);
}

void Velmora::showNode(awt::Tree::Node* node) {
    auto* category = static_cast<Category*>(node->getData());
    ++selecting_;
    try {
        tree_.select(node);
    } catch (...) {
        --selecting_;
        throw;
    }
    --selecting_;
    pageCategory_ = category;
    refreshPage(*category);
    pageCards_.show(pagePanel_, category->getId());
    setHelpText(category->getHelp());
}

void Velmora::setTargetFilter(uint32_t mask) {
    if (mask == targetFilter_) return;
    targetFilter_ = mask;
    refilter(search_.setTargetFilter(mask));
}

void Velmora::onSearchChanged() { refilter(search_.setText(searchField_->getText())); }

void Velmora::refilter(SettingSearch::Change change) {
    if (change == SettingSearch::Change::NONE) return;
    // The page stays hidden while nothing is found, and comes back when its
    // settings do.
    Category* shown = pageCategory_;
    // Pages not on show are brought up to date when they are shown next.
    ++filterGeneration_;
    // Marks too follow what is shown, though the categories stay: a mark
    // must lead to a page that shows the tuned setting.
    tree_.showCategories(categories_, search_);
    if (tree_.getRoot()->getChildCount() == 0) {
        pagePanel_.setVisible(false);
        setHelpText(L"");
        return;
    }
    pagePanel_.setVisible(true);
    // A search shows the settings it found: a page that lost all of its own
    // gives way to the first that has some. Without a search the page stays
    // while its category is in the tree, as it does when the filter alone
    // changes.
    const bool stays = shown != nullptr && search_.shows(*shown) &&
                       (!search_.isSearching() || search_.holdsShown(*shown));
    if (stays && tree_.getSelected() != nullptr) {
        refreshPage(*shown);
        return;
    }
    Category* next = stays ? shown : search_.firstHoldingShown();
    if (next != nullptr) {
        showCategory(next);
    } else {
        showNode(awt::Tree::getChild(tree_.getRoot(), 0));
    }
}

void Velmora::refreshPage(const Category& category) {
    uint32_t& generation = pageGenerations_[&category];
    if (generation == filterGeneration_) return;
    generation = filterGeneration_;
    for (ItemGroup* group : category.getItemGroups()) {
        awt::Component* box = viewOf(group);
        // A hidden box hides what it holds, which is brought up to date only
        // when the box shows again: a search hides most boxes, and every
        // view is a window or more.
        if (!search_.shows(*group)) {
            if (box != nullptr) box->setVisible(false);
            continue;
        }
        for (Item* item : group->getItems()) {
            const bool shown = search_.shows(*item);
            if (awt::Component* view = viewOf(item)) view->setVisible(shown);
            const auto label = labels_.find(item);
            if (label != labels_.end()) label->second->setVisible(shown);
        }
        if (box != nullptr) box->setVisible(true);
    }
}

awt::Component* Velmora::viewOf(const Customizer* subject) const {
    const auto found = views_.find(subject);
    return found != views_.end() ? found->second : nullptr;
}

void Velmora::selectNeighbourCategory(int direction) {
    awt::Tree::Node* selected = tree_.getSelected();
    if (selected == nullptr) return;
    awt::Tree::Node* next =
        direction > 0 ? tree_.getNextVisible(selected) : tree_.getPreviousVisible(selected);
    if (next == nullptr) return;
    // The node itself, not the first node of its category: a nested
    // category is listed at the top too, and looking it up by category
    // would go back to the node under its parent, so that Page Down could
    // never pass it.
    showNode(next);
    if (awt::Component* page = viewOf(static_cast<Category*>(next->getData()))) page->requestFocus();
}

void Velmora::setHelpText(const std::wstring& help) {
    if (helpArea_.getText() == help) return;
    helpArea_.setCaretPosition(0);
    helpArea_.setText(help);
}

void Velmora::onTreeSelection(awt::ItemEvent&) {
    if (selecting_ > 0) return;
    awt::Tree::Node* selected = tree_.getSelected();
    if (selected != nullptr) showNode(selected);
}

void Velmora::onTargetChanged(awt::ItemEvent&) {
    const int32_t index = targetChoice_.getSelectedIndex();
    if (index < 0 || index >= static_cast<int32_t>(std::size(CategoryTree::FILTER_MASKS))) return;
    setTargetFilter(CategoryTree::FILTER_MASKS[index]);
}

void Velmora::windowClosing(awt::WindowEvent&) { close(); }

void Velmora::close() {
    dispose();
    PostQuitMessage(0);
}

void Velmora::keyPressed(awt::KeyEvent& event) {
    const bool ctrl = event.modifiers == awt::KeyEvent::CTRL_MASK;
    const int32_t key = event.keyCode;
    if (key == VK_RETURN || key == VK_ESCAPE) {
        // An open list takes Enter and Esc for itself: pick, or close it.
        auto* choice = dynamic_cast<awt::Choice*>(event.source);
        if (choice == nullptr) choice = dynamic_cast<awt::Choice*>(awt::Component::fromHandle(GetFocus()));
        if (choice != nullptr && choice->isDropped()) return;
        // The search field keeps Enter, which would apply and close while a
        // person is only searching, and takes Esc to empty itself first.
        if (event.modifiers == 0 && searchField_->isField(event.source) &&
            (key == VK_RETURN || searchField_->clear())) {
            event.consumed = true;
            return;
        }
    }
    if (!ctrl) {
        switch (key) {
        case VK_RETURN:
            event.consumed = true;
            onApply();
            return;
        case VK_ESCAPE:
            event.consumed = true;
            onCancel();
            return;
        case VK_PRIOR:
            event.consumed = true;
            selectNeighbourCategory(-1);
            return;
        case VK_NEXT:
            event.consumed = true;
            selectNeighbourCategory(+1);
            return;
        case VK_F1:
            event.consumed = true;
            showAbout();
            return;
        default:
            return;
        }
    }
    if (key == 'S') {
        event.consumed = true;
        onSave();
    } else if (key == 'F') {
        event.consumed = true;
        searchField_->focus();
    } else if (key == 'M') {
        event.consumed = true;
        playMp3();
    }
}

int Velmora::message(const std::wstring& body, uint32_t flags) {
    return MessageBoxW(getHandle(), body.c_str(), programName.c_str(), flags);
}

std::wstring Velmora::itemErrorText(const Item& item, const std::wstring& error) {
    return L"\"" + item.getName() + L"\" の設定を反映することが出来ませんでした。\n" +
           L"設定を反映する権限がありません。\n" + L"Item ID: " + qualifiedIdOf(item) + L"\n" +
           L"Message: " + error;
}

void Velmora::applyAll() {
    int32_t maxPostChanged = 0;
    forEachItem(categories_, [&](Item& item) {
        try {
            item.apply();
            if (item.isApplied() && item.getPostChanged() >= maxPostChanged)
                maxPostChanged = item.getPostChanged();
        } catch (const Exception& e) {
            message(itemErrorText(item, e.getMessage()), MB_ICONEXCLAMATION);
        }
    });
    if (maxPostChanged == PostChanged::LOGOFF) {
        askToShutDown(LOGOFF_QUESTION, EWX_LOGOFF);
    } else if (maxPostChanged == PostChanged::REBOOT) {
        try {
            enableShutdownPrivilege();
        } catch (const SecurityException&) {
            message(text(NO_RESTART_RIGHT), MB_ICONEXCLAMATION);
            return;
        }
        askToShutDown(RESTART_QUESTION, EWX_REBOOT);
    }
}

void Velmora::askToShutDown(uint32_t textId, uint32_t exitFlags) {
    if (message(text(textId), QUESTION_FLAGS) != IDYES) return;
    try {
        exitWindows(exitFlags);
    } catch (const SecurityException&) {
        message(text(NO_SHUTDOWN_RIGHT), MB_ICONEXCLAMATION);
    }
}

void Velmora::onApply() {
    if (!keepUndoFile()) return;
    applyAll();
    close();
}

bool Velmora::keepUndoFile() {
    try {
        const UndoFile undo(categories_);
        if (!undo.isEmpty())
            undo.save(UndoFile::defaultFolders(isElevated()), UndoFile::timeStem());
        return true;
    } catch (const Exception& e) {
        std::wstring question = text(NO_UNDO_FILE);
        question.replace(question.find(L"%1"), 2, e.getMessage());
        return message(question, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
    }
}

void Velmora::onCancel() { close(); }

void Velmora::onSave() {
    std::wstring path;
    try {
        awt::FileDialog dialog(this, text(SAVE), awt::FileDialog::SAVE);
        dialog.setFile(L"velmora.reg");
        dialog.setExtension(L"reg");
        dialog.setVisible(true);
        path = dialog.getFile();
    } catch (const Exception& e) {
        message(e.getMessage(), MB_ICONEXCLAMATION);
        return;
    }
    if (!path.empty()) saveTo(path);
}

bool Velmora::saveTo(const std::wstring& path) {
    try {
        SaveTarget target(path);
        forEachItem(categories_, [&](Item& item) {
            if (CategoryTree::meets(item.getAffectTarget(), targetFilter_)) item.store(target);
        });
        target.finish();
        return true;
    } catch (const Exception& e) {
        message(e.getMessage(), MB_ICONEXCLAMATION);
        return false;
    }
}

std::wstring Velmora::aboutText() {
    return programName + L" version " + programVersion + L" (" + programRelease + L")\r\n" +
           L"著作権所有 (C) Quellmarsh。無断で複製することを禁じます。\r\n" +
           L"このプログラムはシステムの設定を変更します。反映の前の値は、元に戻すためのファイルとして "
           L"velmora.exe のフォルダの backups に保存されます。管理者として実行中にそのフォルダを"
           L"管理者以外も変更できる時は %ProgramData%\\velmora\\backups に、管理者でなく "
           L"backups に書き込めない時は %LOCALAPPDATA%\\velmora\\backups に保存します。"
           L"インポートするのは、これらのフォルダのファイルだけにしてください。";
}

void Velmora::showAbout() { setHelpText(aboutText()); }

// Ctrl+M plays music and nothing else: a program typed into the dialog, or a
// shortcut named like a song, would otherwise start with velmora's rights.
void Velmora::playMp3() {
    std::wstring path;
    try {
        awt::FileDialog dialog(this, text(MP3_PLAYBACK), awt::FileDialog::OPEN);
        dialog.setFile(L"");
        dialog.setExtension(L"mp3");
        dialog.setVisible(true);
        path = dialog.getFile();
    } catch (const Exception& e) {
        message(e.getMessage(), MB_ICONEXCLAMATION);
        return;
    }
    if (path.empty()) return;
    try {
        const std::wstring song = resolvedPathOf(path);
        if (!endsWithIgnoreCase(path, L".mp3") || !endsWithIgnoreCase(song, L".mp3"))
            throw IOException(L"not an mp3 file: " + path);
        openAsUser(song);
    } catch (const IOException&) {
        MessageBoxW(getHandle(), text(NO_PLAYER).c_str(), text(MP3_PLAYBACK).c_str(),
                    MB_ICONEXCLAMATION);
    }
}
