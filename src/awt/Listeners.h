#pragma once

#include "awt/Event.h"

namespace awt {

// The listener interfaces. The toolkit never owns a listener: whoever
// registers one keeps it alive until it is removed or its source is gone.

class ActionListener {
public:
    virtual ~ActionListener() = default;
    virtual void actionPerformed(ActionEvent& event) = 0;
};

class ItemListener {
public:
    virtual ~ItemListener() = default;
    virtual void itemStateChanged(ItemEvent& event) = 0;
};

class AdjustmentListener {
public:
    virtual ~AdjustmentListener() = default;
    virtual void adjustmentValueChanged(AdjustmentEvent& event) = 0;
};

class TextListener {
public:
    virtual ~TextListener() = default;
    virtual void textValueChanged(TextEvent& event) = 0;
};

class WindowListener {
public:
    virtual ~WindowListener() = default;
    virtual void windowClosing(WindowEvent& event) = 0;
};

class FocusListener {
public:
    virtual ~FocusListener() = default;
    virtual void focusGained(FocusEvent& event) = 0;
};

class KeyListener {
public:
    virtual ~KeyListener() = default;
    virtual void keyPressed(KeyEvent& event) = 0;
    virtual void keyReleased(KeyEvent& event) = 0;
    virtual void keyTyped(KeyEvent& event) = 0;
};

class MouseListener {
public:
    virtual ~MouseListener() = default;
    virtual void mouseEntered(MouseEvent& event) = 0;
    virtual void mouseExited(MouseEvent& event) = 0;
    virtual void mousePressed(MouseEvent& event) = 0;
};

class ContainerListener {
public:
    virtual ~ContainerListener() = default;
    virtual void componentAdded(ContainerEvent& event) = 0;
    virtual void componentRemoved(ContainerEvent& event) = 0;
};

}  // namespace awt
