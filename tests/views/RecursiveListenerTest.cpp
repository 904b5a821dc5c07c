#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "awt/Label.h"
#include "awt/Panel.h"
#include "views/RecursiveListener.h"

namespace {

struct Log : RecursiveListener {
    void attach(awt::Component& c) override { lines += L" +" + name(c); }
    void detach(awt::Component& c) override { lines += L" -" + name(c); }
    static std::wstring name(awt::Component& c) {
        auto* label = dynamic_cast<awt::Label*>(&c);
        return label != nullptr ? label->getText() : L"panel";
    }
    std::wstring lines;
};

// Each component is heard of once, at any depth, when it joins the tree
// below the root or leaves it; nothing outside the tree is.
TEST(RecursiveListener, HearsEveryComponentThatJoinsOrLeavesTheTreeOnce) {
    awt::Panel root, inner, outer;
    awt::Label a(L"a"), b(L"b"), c(L"c");
    Log log;
    inner.add(&a);
    root.add(&inner);
    log.setRoot(&root);
    inner.add(&b);
    root.add(&outer);
    outer.add(&c);
    EXPECT_EQ(log.lines, L" +panel +panel +a +b +panel +c");
    log.lines.clear();
    root.remove(&inner);
    inner.add(&c);  // from the tree to outside it
    log.setRoot(&outer);
    EXPECT_EQ(log.lines, L" -panel -a -b -c -panel -panel +panel");
}

}  // namespace
