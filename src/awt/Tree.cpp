#include "awt/Tree.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "awt/Toolkit.h"
#include "core/Exception.h"
#include "core/Platform.h"

namespace awt {

namespace {

constexpr uint32_t TREE_STYLE = WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP |
                                TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS;

// The common controls are loaded from the system directory when the first
// tree is made, and stay. Imported, they would be looked for beside the
// program before its first line runs: they are no known system library,
// since the system picks one of two versions for each program.
void initTreeClasses() {
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const auto init = reinterpret_cast<InitFunction>(reinterpret_cast<void*>(
        GetProcAddress(loadSystemLibrary(L"comctl32.dll"), "InitCommonControlsEx")));
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES};
    if (init == nullptr || !init(&classes)) throw Exception(L"InitCommonControlsEx() failed");
}

// Listeners reached by the notifications of a native call may throw; the
// window procedure holds what they threw until the call has returned.
void rethrowFromListeners() { Toolkit::getDefaultToolkit().rethrowHeldException(); }

}  // namespace

Tree::Batch::Batch(Tree& tree) : tree_(tree) {
    if (tree_.getHandle() != nullptr) tree_.send(WM_SETREDRAW, FALSE, 0);
}

Tree::Batch::~Batch() {
    if (tree_.getHandle() == nullptr) return;
    tree_.send(WM_SETREDRAW, TRUE, 0);
    // The scroll bar too, which lies in the frame.
    RedrawWindow(tree_.getHandle(), nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

Tree::Tree() : root_(L"", nullptr) { root_.handle_ = TVI_ROOT; }

const wchar_t* Tree::getClassName() { return WC_TREEVIEWW; }

uint32_t Tree::getStyle() {
    uint32_t style = Component::getStyle() | TREE_STYLE;
    if (linesAtRoot_) style |= TVS_LINESATROOT;
    return style;
}

HWND Tree::createPeer() {
    initTreeClasses();
    HWND window = Component::createPeer();
    SendMessageW(window, CCM_SETUNICODEFORMAT, TRUE, 0);
    return window;
}

void Tree::addNotify() {
    if (getHandle() != nullptr) return;
    Component::addNotify();
    // A new peer shows the tree as it already was: no item event.
    Silence silence(*this);
    insertChildren(&root_);
    if (selected_ != nullptr) selectNatively(selected_);
}

LRESULT Tree::send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(getHandle(), message, wParam, lParam);
}

Tree::Node* Tree::addNode(Node* parent, const std::wstring& text, void* data) {
    return insertNode(parent, parent->getChildCount(), text, data);
}

Tree::Node* Tree::insertNode(Node* parent, int index, const std::wstring& text, void* data,
                             bool bold) {
    auto& children = parent->children_;
    const auto at = children.insert(children.begin() + index,
                                    std::unique_ptr<Node>(new Node(text, data)));
    Node* node = at->get();
    node->bold_ = bold;
    // Any new node may be the widest, not only a top-level one.
    preferredSize_.width = -1;
    if (getHandle() != nullptr) insert(parent, node, index > 0 ? (at - 1)->get() : nullptr);
    return node;
}

void Tree::removeNode(Node* parent, int index) {
    auto& children = parent->children_;
    Node* node = children.at(index).get();
    preferredSize_.width = -1;
    if (getHandle() != nullptr) {
        LRESULT removed;
        {
            Silence silence(*this);
            removed = send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->handle_));
        }
        rethrowFromListeners();
        if (removed == 0) throw Exception(L"SendMessage(TVM_DELETEITEM) failed");
    }
    if (holds(*node, selected_)) selected_ = nullptr;
    children.erase(children.begin() + index);
}

bool Tree::holds(const Node& node, const Node* wanted) {
    if (&node == wanted) return true;
    return std::any_of(node.children_.begin(), node.children_.end(),
                       [wanted](const auto& child) { return holds(*child, wanted); });
}

void Tree::insert(Node* parent, Node* node, Node* after) {
    TVINSERTSTRUCTW insertion{};
    insertion.hParent = parent->handle_;
    insertion.hInsertAfter = after != nullptr ? after->handle_ : TVI_FIRST;
    insertion.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
    insertion.item.pszText = LPSTR_TEXTCALLBACKW;
    insertion.item.cChildren = I_CHILDRENCALLBACK;
    insertion.item.lParam = reinterpret_cast<LPARAM>(node);
    insertion.item.state = (node->expanded_ ? TVIS_EXPANDED : 0) | (node->bold_ ? TVIS_BOLD : 0);
    insertion.item.stateMask = TVIS_BOLD;
    node->handle_ =
        reinterpret_cast<HTREEITEM>(send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insertion)));
    rethrowFromListeners();
    if (node->handle_ == nullptr) throw Exception(L"SendMessage(TVM_INSERTITEM) failed");
    // The control opens a parent only once it has a child to show.
    if (parent != &root_ && parent->expanded_) {
        send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent->handle_));
        rethrowFromListeners();
    }
}

void Tree::insertChildren(Node* parent) {
    Node* previous = nullptr;
    for (const auto& child : parent->children_) {
        insert(parent, child.get(), previous);
        previous = child.get();
        insertChildren(child.get());
    }
}

void Tree::removeAll() {
    preferredSize_.width = -1;
    if (getHandle() != nullptr) {
        LRESULT removed;
        {
            Silence silence(*this);
            removed = send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        }
        rethrowFromListeners();
        // The items that are left still point to their nodes, which must
        // therefore stay.
        if (removed == 0) throw Exception(L"SendMesssage(TVM_DELETEITEM) failed");
    }
    root_.children_.clear();
    selected_ = nullptr;
}

void Tree::select(Node* node) {
    selected_ = node;
    if (getHandle() != nullptr) selectNatively(node);
}

void Tree::selectNatively(Node* node) {
    const LRESULT selected =
        send(TVM_SELECTITEM, TVGN_CARET,
             reinterpret_cast<LPARAM>(node != nullptr ? node->handle_ : nullptr));
    rethrowFromListeners();
    if (selected == 0) throw Exception(L"SendMessage(TVM_SELECTITEM) failed)");
}

void Tree::setExpanded(Node* node, bool expanded) {
    node->expanded_ = expanded;
    if (getHandle() == nullptr) return;
    send(TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(node->handle_));
    rethrowFromListeners();
}

void Tree::setBold(Node* node, bool bold) {
    if (bold == node->bold_) return;
    node->bold_ = bold;
    if (getHandle() == nullptr) return;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_STATE;
    item.hItem = node->handle_;
    item.state = bold ? TVIS_BOLD : 0;
    item.stateMask = TVIS_BOLD;
    send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    rethrowFromListeners();
}

void Tree::setLinesAtRoot(bool linesAtRoot) {
    if (linesAtRoot == linesAtRoot_) return;
    linesAtRoot_ = linesAtRoot;
    preferredSize_.width = -1;
    if (linesAtRoot) {
        addStyle(TVS_LINESATROOT);
    } else {
        removeStyle(TVS_LINESATROOT);
    }
}

Tree::Node* Tree::getNextVisible(Node* node) { return neighbour(node, TVGN_NEXTVISIBLE); }

Tree::Node* Tree::getPreviousVisible(Node* node) { return neighbour(node, TVGN_PREVIOUSVISIBLE); }

Tree::Node* Tree::neighbour(Node* node, uint32_t relation) {
    if (getHandle() == nullptr || node == nullptr) return nullptr;
    auto item = reinterpret_cast<HTREEITEM>(
        send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(node->handle_)));
    return item != nullptr ? nodeOf(item) : nullptr;
}

Tree::Node* Tree::getNodeAt(int32_t x, int32_t y) {
    if (getHandle() == nullptr) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    auto item = reinterpret_cast<HTREEITEM>(send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return item != nullptr ? nodeOf(item) : nullptr;
}

Tree::Node* Tree::findChild(Node* node, void* data) {
    for (const auto& child : node->children_) {
        if (child->data_ == data) return child.get();
    }
    return nullptr;
}

Tree::Node* Tree::getChild(Node* node, int index) { return node->children_.at(index).get(); }

Tree::Node* Tree::nodeOf(HTREEITEM item) {
    TVITEMW query{};
    query.mask = TVIF_HANDLE | TVIF_PARAM;
    query.hItem = item;
    if (send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)) == 0) {
        throw Exception(L"SendMessage(TVM_GETITEM) failed");
    }
    return reinterpret_cast<Node*>(query.lParam);
}

LRESULT Tree::handleNotify(int code, NMHDR* header, bool& handled) {
    switch (static_cast<UINT>(code)) {
        case TVN_GETDISPINFOW: {
            TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
            const auto* node = reinterpret_cast<const Node*>(item.lParam);
            if ((item.mask & TVIF_TEXT) != 0)
                item.pszText = const_cast<wchar_t*>(node->text_.c_str());
            if ((item.mask & TVIF_CHILDREN) != 0) item.cChildren = node->children_.empty() ? 0 : 1;
            break;
        }
        case TVN_ITEMEXPANDINGW:
        case TVN_SELCHANGINGW:
            break;
        case TVN_ITEMEXPANDEDW: {
            const auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
            if (change->action != TVE_EXPAND && change->action != TVE_COLLAPSE) {
                throw Exception(L"unknown tree expanded action: " +
                                std::to_wstring(change->action));
            }
            nodeOf(change->itemNew.hItem)->expanded_ = change->action == TVE_EXPAND;
            break;
        }
        case TVN_SELCHANGEDW: {
            if (silenced_ > 0) return 0;
            const auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
            const bool selected =
                change->itemNew.hItem != nullptr && (change->itemNew.state & TVIS_SELECTED) != 0;
            selected_ = selected ? nodeOf(change->itemNew.hItem) : nullptr;
            fireItemStateChanged();
            break;
        }
        default:
            return 0;
    }
    handled = true;
    return 0;
}

void Tree::widestBelow(const Node& node, int32_t depth, int32_t indent, int32_t& widest) const {
    for (const auto& child : node.children_) {
        Size text;
        getTextExtent(child->text_, &text, nullptr);
        widest = std::max(widest, text.width + indent * depth + 2 * GetSystemMetrics(SM_CXBORDER));
        widestBelow(*child, depth + 1, indent, widest);
    }
}

Size Tree::getPreferredSize() {
    if (preferredSize_.width != -1) return preferredSize_;
    TEXTMETRICW metrics{};
    getTextExtent(L"", nullptr, &metrics);
    // The indent is the control's own; without it the width is a guess,
    // which is not kept.
    const bool hasPeer = getHandle() != nullptr;
    const auto indent = hasPeer ? static_cast<int32_t>(send(TVM_GETINDENT, 0, 0)) : 0;
    int32_t widest = 0;
    widestBelow(root_, linesAtRoot_ ? 1 : 0, indent, widest);
    const int32_t count = root_.getChildCount();
    const Size size{GetSystemMetrics(SM_CXVSCROLL) +
                        2 * (GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXBORDER)) + widest,
                    std::max(1, count) * metrics.tmHeight +
                        2 * (count * GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYEDGE) +
                             GetSystemMetrics(SM_CYBORDER))};
    if (hasPeer) preferredSize_ = size;
    return size;
}

}  // namespace awt
