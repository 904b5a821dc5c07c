#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "awt/ItemEventSource.h"

// The native item handle, declared as commctrl.h declares it.
struct _TREEITEM;

namespace awt {

// A hierarchy of nodes in a native tree view; selection changes are item
// events. The tree owns its nodes. The control holds only their handles and
// asks for a node's text and whether it has children whenever it needs them,
// so nothing is ever copied into it.
class Tree : public virtual ItemEventSource {
public:
    class Node {
    public:
        Node(const Node&) = delete;
        Node& operator=(const Node&) = delete;

        const std::wstring& getText() const { return text_; }
        void* getData() const { return data_; }
        bool isExpanded() const { return expanded_; }
        bool isBold() const { return bold_; }
        int getChildCount() const { return static_cast<int>(children_.size()); }

    private:
        friend class Tree;

        Node(const std::wstring& text, void* data) : text_(text), data_(data) {}

        _TREEITEM* handle_ = nullptr;
        std::wstring text_;
        void* data_;
        bool expanded_ = false;
        bool bold_ = false;
        std::vector<std::unique_ptr<Node>> children_;
    };

    // While it lives, the control neither measures nor repaints: it does so
    // once at the end, when inserting many nodes one by one would redraw the
    // scroll bar for each of them.
    class Batch {
    public:
        explicit Batch(Tree& tree);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Tree& tree_;
    };

    Tree();

    const wchar_t* getClassName() override;
    uint32_t getStyle() override;
    HWND createPeer() override;
    // Puts the nodes into a new peer once it is mapped to this tree, so
    // that the control's questions about them reach it.
    void addNotify() override;
    LRESULT handleNotify(int code, NMHDR* header, bool& handled) override;
    Size getPreferredSize() override;

    // Top-level nodes are added to the root, which is never shown.
    Node* getRoot() { return &root_; }
    Node* addNode(Node* parent, const std::wstring& text, void* data = nullptr);
    // Inserts the node before the child at the index; at the child count,
    // after the last. A node born bold costs the control no second measure.
    Node* insertNode(Node* parent, int index, const std::wstring& text, void* data = nullptr,
                     bool bold = false);
    // Removes the child at the index and every node below it. The selection
    // changes this causes raise no event; a selection among them is lost.
    void removeNode(Node* parent, int index);
    // Removes every node; the selection changes this causes raise no event.
    void removeAll();
    Node* getSelected() const { return selected_; }
    // Selecting through the control raises an item event, as a click does.
    void select(Node* node);
    void setExpanded(Node* node, bool expanded);
    // Shows the node's text bold, or regular again. A tree whose nodes may
    // turn bold reserves its bold width, or their text may be cut off.
    void setBold(Node* node, bool bold);
    bool isLinesAtRoot() const { return linesAtRoot_; }
    void setLinesAtRoot(bool linesAtRoot);
    // Neighbours among the nodes that can be seen; none at either end, or
    // while there is no peer.
    Node* getNextVisible(Node* node);
    Node* getPreviousVisible(Node* node);
    // The node at a point of the client area, or none.
    Node* getNodeAt(int32_t x, int32_t y);
    static Node* findChild(Node* node, void* data);
    static Node* getChild(Node* node, int index);

private:
    // While it lives, the control's selection notifications are ignored.
    class Silence {
    public:
        explicit Silence(Tree& tree) : tree_(tree) { ++tree_.silenced_; }
        ~Silence() { --tree_.silenced_; }
        Silence(const Silence&) = delete;
        Silence& operator=(const Silence&) = delete;

    private:
        Tree& tree_;
    };

    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam);
    // Puts the node into the control after the sibling, or first.
    void insert(Node* parent, Node* node, Node* after);
    void insertChildren(Node* parent);
    void selectNatively(Node* node);
    Node* nodeOf(_TREEITEM* item);
    // Whether the node is the wanted one or lies above it.
    static bool holds(const Node& node, const Node* wanted);
    Node* neighbour(Node* node, uint32_t relation);
    void widestBelow(const Node& node, int32_t depth, int32_t indent, int32_t& widest) const;

    bool linesAtRoot_ = false;
    Node root_;
    Node* selected_ = nullptr;
    int32_t silenced_ = 0;
};

}  // namespace awt
