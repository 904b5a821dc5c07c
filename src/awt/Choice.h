#pragma once

#include <string>
#include <vector>

#include "awt/ItemEventSource.h"

namespace awt {

// A drop-down list of texts to choose one from. The user's choice raises an
// item event; select from the program raises none.
class Choice : public virtual ItemEventSource {
public:
    Choice() = default;

    const wchar_t* getClassName() override { return L"COMBOBOX"; }
    uint32_t getStyle() override;
    HWND createPeer() override;
    LRESULT handleCommand(int code, WPARAM wParam, bool& handled) override;
    void setSize(int32_t width, int32_t height) override;
    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
    Size getPreferredSize() override;
    // The box and the list it opens, which is a window of its own.
    int32_t countNativeWindows() const override { return 2; }

    void add(const std::wstring& item);
    // -1 clears the selection.
    void select(int32_t index);
    int32_t getSelectedIndex() const { return selectedIndex_; }
    int32_t getItemCount() const { return static_cast<int32_t>(items_.size()); }
    const std::wstring& getItem(int32_t index) const { return items_.at(index); }
    // While the list is open, Enter and Esc belong to it: they pick an entry
    // or close it, so a window's own keys must leave them alone then.
    bool isDropped() const;

private:
    void addNative(HWND window, const std::wstring& item);
    // The native height of a drop-down list includes the opened list; it
    // is made tall enough to show every item without scrolling.
    void fitDropDown(HWND window);

    std::vector<std::wstring> items_;
    int32_t selectedIndex_ = -1;
};

}  // namespace awt
