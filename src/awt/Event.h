#pragma once

#include <cstdint>

namespace awt {

class Component;

// What every event carries. A listener sets consumed to stop the default
// processing of the native message behind the event.
struct Event {
    explicit Event(Component* eventSource) : source(eventSource) {}

    Component* source;
    bool consumed = false;
};

struct ActionEvent : Event {
    using Event::Event;
};

struct ItemEvent : Event {
    using Event::Event;
};

struct FocusEvent : Event {
    using Event::Event;
};

struct WindowEvent : Event {
    using Event::Event;
};

struct TextEvent : Event {
    using Event::Event;
};

struct ContainerEvent : Event {
    static constexpr int32_t COMPONENT_ADDED = 1;
    static constexpr int32_t COMPONENT_REMOVED = -1;

    ContainerEvent(Component* eventSource, int32_t eventId, Component* eventChild)
        : Event(eventSource), id(eventId), child(eventChild) {}

    int32_t id;
    Component* child;
};

// The id is numbered by the control that raises the event.
struct AdjustmentEvent : Event {
    AdjustmentEvent(Component* eventSource, int32_t eventId, int32_t eventValue)
        : Event(eventSource), id(eventId), value(eventValue) {}

    int32_t id;
    int32_t value;
};

struct KeyEvent : Event {
    static constexpr int32_t KEY_PRESSED = 0;
    static constexpr int32_t KEY_RELEASED = 1;
    static constexpr int32_t KEY_TYPED = 2;

    static constexpr int32_t SHIFT_MASK = 1;
    static constexpr int32_t CTRL_MASK = 2;
    static constexpr int32_t ALT_MASK = 4;

    KeyEvent(Component* eventSource, int32_t eventId, int32_t code, int32_t modifierMask)
        : Event(eventSource), id(eventId), keyCode(code), modifiers(modifierMask) {}

    int32_t id;
    // The virtual-key code, or the character for a typed key.
    int32_t keyCode;
    int32_t modifiers;
};

struct MouseEvent : Event {
    static constexpr int32_t MOUSE_ENTERED = 0;
    static constexpr int32_t MOUSE_EXITED = 1;
    static constexpr int32_t MOUSE_PRESSED = 2;

    MouseEvent(Component* eventSource, int32_t eventId, int32_t clicks, int32_t atX, int32_t atY)
        : Event(eventSource), id(eventId), clickCount(clicks), x(atX), y(atY) {}

    int32_t id;
    int32_t clickCount;
    // In the client coordinates of the component that receives the event.
    int32_t x;
    int32_t y;
};

}  // namespace awt
