#pragma once

class Item;

// An item that can take its value from another item instead of holding its
// own.
class Inheritable {
public:
    virtual ~Inheritable() = default;
    virtual bool canInherit() const = 0;
    // The item whose value is inherited, or null.
    virtual Item* getInheritee() const = 0;
    virtual bool isInherited() const = 0;
    virtual void setInherited(bool inherited) = 0;
};
