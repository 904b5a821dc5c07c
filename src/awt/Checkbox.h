#pragma once

#include <string>

#include "awt/Button.h"
#include "awt/ItemEventSource.h"

namespace awt {

class CheckboxGroup;

// A check box, or a radio button when it belongs to a group. A click raises
// an item event, never an action event; setting the state from the program
// raises none, so a listener that mirrors a model cannot loop back into it.
class Checkbox : public Button, public virtual ItemEventSource {
public:
    Checkbox(const std::wstring& label, bool state = false, CheckboxGroup* group = nullptr);
    ~Checkbox() override;

    uint32_t getStyle() override;
    HWND createPeer() override;
    LRESULT handleCommand(int code, WPARAM wParam, bool& handled) override;
    Size getPreferredSize() override;

    bool getState() const { return state_; }
    void setState(bool state);
    CheckboxGroup* getGroup() const { return group_; }

private:
    friend class CheckboxGroup;

    bool state_;
    CheckboxGroup* group_;
};

}  // namespace awt
