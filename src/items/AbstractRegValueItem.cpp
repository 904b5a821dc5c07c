#include "items/AbstractRegValueItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/Params.h"
#include "items/PropertyChangeEvent.h"
#include "items/ViewFactory.h"
#include "registry/RegKey.h"

void AbstractRegValueItem::setCurrentValue(int32_t value) {
    if (value == currentValue_) return;
    currentValue_ = value;
    firePropertyChange(PropertyChangeEvent::CURRENT_VALUE);
}

void AbstractRegValueItem::setDefaultValue(int32_t value) {
    if (value == defaultValue_) return;
    defaultValue_ = value;
    firePropertyChange(PropertyChangeEvent::DEFAULT_VALUE);
}

awt::Component* AbstractRegValueItem::createView() {
    return ViewFactory::installed().createValueItemView(*this);
}

void AbstractRegValueItem::apply() {
    if (!isChanged()) return;
    commit();
    markApplied();
}

void AbstractRegValueItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"min") {
            min_ = parseInt(param.getText());
        } else if (name == L"max") {
            max_ = parseInt(param.getText());
        } else if (name == L"step") {
            step_ = parseInt(param.getText());
        } else if (name == L"block") {
            block_ = parseInt(param.getText());
        } else if (name == L"scale") {
            scale_ = parseInt(param.getText());
        } else if (name == L"unit") {
            unit_ = param.getText();
        }
    });
    // The view divides by the scale.
    if (scale_ <= 0)
        throw ConfigException(L"illegal <scale> of item " + getId() + L": " + toString(scale_));
    AbstractRegItem::readParameters(params);
}

void AbstractRegValueItem::deriveDefault() {
    defaultValue_ = parseInt(getDefaultText());
    defaultMeaning_ =
        getDefaultMeaningText() != NULL_STRING ? parseInt(getDefaultMeaningText()) : defaultValue_;
}

void AbstractRegValueItem::load() {
    if (!readFromKey([this](RegKey& key) { storedValue_ = readValue(key); }))
        storedValue_ = defaultValue_;
    currentValue_ = storedValue_;
}

void AbstractRegValueItem::commit() {
    writeToKey([this](RegKey& key) { writeValue(key, currentValue_); });
    storedValue_ = currentValue_;
}
