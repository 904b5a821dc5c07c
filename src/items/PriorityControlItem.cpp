#include "items/PriorityControlItem.h"

#include "core/Exception.h"
#include "core/StringUtil.h"
#include "items/Params.h"
#include "items/ViewFactory.h"

namespace {

constexpr uint32_t BOOST_BITS = 0x03;
constexpr uint32_t QUANTUM_KIND_BITS = 0x0C;
constexpr uint32_t QUANTUM_LENGTH_BITS = 0x30;
constexpr uint32_t VARIABLE_QUANTUM = 0x04, FIXED_QUANTUM = 0x08;
constexpr uint32_t FIRST_LENGTH = 0x20, SECOND_LENGTH = 0x10;

void readSelect(const xml::Node& select, const std::wstring& item, const std::wstring& id,
                std::wstring& title, std::vector<std::wstring>& names) {
    size_t count = 0;
    forEachParam(select, [&](const std::wstring& name, const xml::Node& child) {
        if (name == L"name") {
            title = child.getText();
        } else if (name == L"item") {
            if (count == names.size())
                throw ConfigException(L"too many <item> in <select id=\"" + id + L"\"> of item " +
                                      item);
            names[count++] = child.getText();
        }
    });
}

}  // namespace

void PriorityControlItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"server") {
            server_ = true;
        } else if (name == L"select") {
            const std::wstring id = param.getAttribute(L"id");
            if (id == L"length") readSelect(param, getId(), id, lengthTitle_, lengthNames_);
            if (id == L"boost") readSelect(param, getId(), id, boostTitle_, boostNames_);
        }
    });
    AbstractRegBitValueItem::readParameters(params);
}

bool PriorityControlItem::getLengthChoice() const {
    const uint32_t length = getCurrentValue() & QUANTUM_LENGTH_BITS;
    if (length == FIRST_LENGTH) return true;
    if (length == SECOND_LENGTH) return false;
    return !server_;
}

int32_t PriorityControlItem::getBoostIndex() const {
    const uint32_t value = getCurrentValue(), kind = value & QUANTUM_KIND_BITS;
    const bool fixed = kind == FIXED_QUANTUM || (kind != VARIABLE_QUANTUM && server_);
    if (fixed) return 0;
    const uint32_t boost = value & BOOST_BITS;
    return boost == 3 ? 2 : static_cast<int32_t>(boost);
}

void PriorityControlItem::setLength(bool first) {
    setCurrentValue((getCurrentValue() & (QUANTUM_KIND_BITS | BOOST_BITS)) |
                    (first ? FIRST_LENGTH : SECOND_LENGTH));
}

void PriorityControlItem::setBoost(int32_t index) {
    if (index < 0 || index > 2) throw IllegalArgumentException(L"boost: " + toString(index));
    const uint32_t length = getCurrentValue() & QUANTUM_LENGTH_BITS;
    setCurrentValue(index == 0 ? length | FIXED_QUANTUM
                               : length | static_cast<uint32_t>(index) | VARIABLE_QUANTUM);
}

awt::Component* PriorityControlItem::createView() {
    return ViewFactory::installed().createPriorityControlItemView(*this);
}
