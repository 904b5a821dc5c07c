#include "items/AbstractRegCheckItem.h"

#include "core/Exception.h"
#include "items/Params.h"
#include "items/PropertyChangeEvent.h"
#include "items/ViewFactory.h"
#include "registry/RegKey.h"

void AbstractRegCheckItem::setCurrentState(bool state) {
    if (state == currentState_) return;
    currentState_ = state;
    firePropertyChange(PropertyChangeEvent::CURRENT_VALUE);
}

void AbstractRegCheckItem::setDefaultState(bool state) {
    if (state == defaultState_) return;
    defaultState_ = state;
    firePropertyChange(PropertyChangeEvent::DEFAULT_VALUE);
}

awt::Component* AbstractRegCheckItem::createView() {
    return ViewFactory::installed().createCheckItemView(*this);
}

void AbstractRegCheckItem::apply() {
    if (!isChanged()) return;
    commit();
    markApplied();
}

void AbstractRegCheckItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"label") label_ = param.getText();
    });
    AbstractRegItem::readParameters(params);
}

void AbstractRegCheckItem::load() {
    if (!readFromKey([this](RegKey& key) { storedState_ = readState(key); }))
        storedState_ = defaultState_;
    currentState_ = storedState_;
}

void AbstractRegCheckItem::commit() {
    writeToKey([this](RegKey& key) { writeState(key, currentState_); });
    storedState_ = currentState_;
}
