#include "views/ValueItemView.h"

#include <algorithm>

#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"
#include "core/StringUtil.h"
#include "items/Inheritable.h"
#include "items/PropertyChangeEvent.h"
#include "items/ValueItem.h"
#include "views/ViewSupport.h"

namespace {

// Inheriting is offered only by items that say so.
Inheritable* inheritableOf(ValueItem& item) {
    auto* inheritable = dynamic_cast<Inheritable*>(&item);
    return inheritable != nullptr && inheritable->canInherit() ? inheritable : nullptr;
}

// Room for every digit and the sign of the widest bound, and one more.
int32_t columnsFor(int32_t number) { return static_cast<int32_t>(toString(number).size()) + 1; }

}  // namespace

ValueItemView::ValueItemView(ValueItem& item)
    : item_(item),
      inheritable_(inheritableOf(item)),
      box_(awt::Toolkit::getDefaultToolkit().loadString(
          inheritable_ != nullptr ? views::INHERIT_BOX_STRING : views::DEFAULT_BOX_STRING)),
      field_(0) {
    const bool atDefault = item.getCurrentValue() == item.getDefaultValue();
    // An inheriting item's default is the inherited value itself, which the
    // definition's meaning of the default does not describe.
    showValue(atDefault && inheritable_ == nullptr ? item.getDefaultMeaning()
                                                   : item.getCurrentValue());
    field_.setMinimum(scaled(item.getMin()));
    field_.setMaximum(scaled(item.getMax()));
    field_.setUnitIncrement(scaled(item.getStep()));
    field_.setBlockIncrement(scaled(item.getBlock()));
    field_.setColumns(
        std::max({columnsFor(field_.getMaximum()), columnsFor(field_.getMinimum()), 5}));
    if (inheritable_ == nullptr) {
        box_.setState(atDefault);
        box_.setEnabled(!atDefault);
    } else {
        box_.setState(inheritable_->isInherited());
        field_.setEnabled(!box_.getState());
    }

    setLayout(&awt::SharedLayouts::flowLayout());
    add(&field_, &views::inRow);
    // No unit given shows nothing; an empty unit still holds its place.
    if (item.getUnit() != NULL_STRING) {
        unit_ = std::make_unique<awt::Label>(item.getUnit());
        add(unit_.get(), &views::inRow);
    }
    add(&box_, &views::inRow);

    if (inheritable_ == nullptr) {
        box_.addItemListener(&defaultListener_);
    } else {
        box_.addItemListener(&inheritListener_);
        item_.addPropertyChangeListener(&itemListener_);
    }
    field_.addAdjustmentListener(&fieldListener_);
}

// Items outlive the window; a view that goes first must not be called.
ValueItemView::~ValueItemView() {
    if (inheritable_ != nullptr) item_.removePropertyChangeListener(&itemListener_);
}

// Items refuse a scale that is not positive.
int32_t ValueItemView::scaled(int32_t value) const { return value / item_.getScale(); }

void ValueItemView::showValue(int32_t value) {
    field_.setValue(scaled(value), awt::NumberField::VALUE_SET);
}

void ValueItemView::NumberFieldListener::adjustmentValueChanged(awt::AdjustmentEvent& event) {
    ValueItemView& v = view_;
    if (v.busy_ > 0) return;
    // Within the field's bounds, which are the item's divided by the scale,
    // so this cannot overflow.
    const int32_t value = event.value * v.item_.getScale();
    v.item_.setCurrentValue(value);
    if (v.inheritable_ != nullptr) return;
    Busy busy(v);
    const bool atDefault =
        value == v.item_.getDefaultValue() || value == v.item_.getDefaultMeaning();
    v.box_.setState(atDefault);
    v.box_.setEnabled(!atDefault);
}

void ValueItemView::DefaultCheckListener::itemStateChanged(awt::ItemEvent&) {
    ValueItemView& v = view_;
    if (v.busy_ > 0) return;
    Busy busy(v);
    if (!v.box_.getState()) return;
    v.showValue(v.item_.getDefaultMeaning());
    v.item_.setToDefault();
    v.box_.setEnabled(false);
    v.field_.requestFocus();
}

// An inheriting item holds the inherited value, its default, and shows it,
// so that clearing the box later starts from the value in sight. The value is
// put into the item whole: through the field it would lose what the scale
// truncates.
void ValueItemView::InheritCheckListener::itemStateChanged(awt::ItemEvent&) {
    ValueItemView& v = view_;
    const bool inherited = v.box_.getState();
    v.inheritable_->setInherited(inherited);
    v.field_.setEnabled(!inherited);
    if (!inherited) return;
    Busy busy(v);
    v.item_.setCurrentValue(v.item_.getDefaultValue());
    v.showValue(v.item_.getCurrentValue());
}

// Busy while the field follows the item: its event would write the shown,
// truncated number back, and a value that is no multiple of the scale would
// be lost.
void ValueItemView::ItemPropertyChangeListener::propertyChanged(const PropertyChangeEvent& event) {
    if (event.getPropertyName() != PropertyChangeEvent::CURRENT_VALUE) return;
    Busy busy(view_);
    view_.showValue(view_.item_.getCurrentValue());
}
