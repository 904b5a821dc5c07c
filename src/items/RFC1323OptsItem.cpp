#include "items/RFC1323OptsItem.h"

#include "items/Params.h"
#include "items/ViewFactory.h"

namespace {

std::wstring nameOf(const xml::Node& select) {
    std::wstring name;
    forEachParam(select, [&name](const std::wstring& childName, const xml::Node& child) {
        if (childName == L"name") name = child.getText();
    });
    return name;
}

}  // namespace

void RFC1323OptsItem::setOption(uint32_t bit, bool on) {
    setCurrentValue(on ? getCurrentValue() | bit : getCurrentValue() & ~bit);
}

awt::Component* RFC1323OptsItem::createView() {
    return ViewFactory::installed().createRFC1323OptsView(*this);
}

void RFC1323OptsItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name != L"select") return;
        const std::wstring& id = param.getAttribute(L"id");
        if (id == L"WindowScaling") {
            windowScalingLabel_ = nameOf(param);
        } else if (id == L"Timestamping") {
            timestampingLabel_ = nameOf(param);
        }
    });
    AbstractRegBitValueItem::readParameters(params);
}
