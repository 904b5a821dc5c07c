#pragma once

#include "awt/Listeners.h"

namespace awt {

// Listeners that forward every event to a member function of one object, so
// that a window can route each button or list to its own handler. The
// function may take the event or nothing.
template <typename T, typename Listener, typename Event>
class MemFunListener : public Listener {
public:
    using Plain = void (T::*)();
    using WithEvent = void (T::*)(Event&);

    MemFunListener(T* target, Plain method) : target_(target), plain_(method) {}
    MemFunListener(T* target, WithEvent method) : target_(target), withEvent_(method) {}

protected:
    void forward(Event& event) {
        if (plain_ != nullptr) {
            (target_->*plain_)();
        } else {
            (target_->*withEvent_)(event);
        }
    }

private:
    T* target_;
    Plain plain_ = nullptr;
    WithEvent withEvent_ = nullptr;
};

template <typename T>
class action_mem_fun : public MemFunListener<T, ActionListener, ActionEvent> {
public:
    using MemFunListener<T, ActionListener, ActionEvent>::MemFunListener;
    void actionPerformed(ActionEvent& event) override { this->forward(event); }
};

template <typename T>
class item_mem_fun : public MemFunListener<T, ItemListener, ItemEvent> {
public:
    using MemFunListener<T, ItemListener, ItemEvent>::MemFunListener;
    void itemStateChanged(ItemEvent& event) override { this->forward(event); }
};

template <typename T>
class text_mem_fun : public MemFunListener<T, TextListener, TextEvent> {
public:
    using MemFunListener<T, TextListener, TextEvent>::MemFunListener;
    void textValueChanged(TextEvent& event) override { this->forward(event); }
};

}  // namespace awt
