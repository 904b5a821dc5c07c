#include "config/ClassTable.h"
#include "items/RegCheckItem.h"
#include "items/RegValueItem.h"

// The one place that knows every class a definition can name.
void ClassTable::registerClasses() {
    addItemClass<RegCheckItem>(L"velmora.reg.RegCheckItem");
    addItemClass<RegValueItem>(L"velmora.reg.RegValueItem");
}
