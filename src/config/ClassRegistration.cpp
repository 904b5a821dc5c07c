#include "config/ClassTable.h"
#include "config/NICEnumerator.h"
#include "items/NICCheckItem.h"
#include "items/NICValueItem.h"
#include "items/RFC1323OptsItem.h"
#include "items/DiskPerformanceCounterItem.h"
#include "items/ExecItem.h"
#include "items/PriorityControlItem.h"
#include "items/RegCheckItem.h"
#include "items/RegDeleteSubKeysItem.h"
#include "items/RegKeyItem.h"
#include "items/RegMultiListValueItem.h"
#include "items/RegMultiStringCheckItem.h"
#include "items/RegMultiValueItem.h"
#include "items/RegToggleItem.h"
#include "items/RegValueItem.h"

// The one place that knows every class a definition can name.
void ClassTable::registerClasses() {
    addItemClass<RegCheckItem>(L"velmora.reg.RegCheckItem");
    addItemClass<RegMultiListValueItem>(L"velmora.reg.RegMultiListValueItem");
    addItemClass<RegMultiStringCheckItem>(L"velmora.reg.RegMultiStringCheckItem");
    addItemClass<RegMultiValueItem>(L"velmora.reg.RegMultiValueItem");
    addItemClass<RegToggleItem>(L"velmora.reg.RegToggleItem");
    addItemClass<RegValueItem>(L"velmora.reg.RegValueItem");
    addItemClass<NICCheckItem>(L"velmora.reg.nic.NICCheckItem");
    addItemClass<NICValueItem>(L"velmora.reg.nic.NICValueItem");
    addItemClass<RFC1323OptsItem>(L"velmora.reg.nic.RFC1323OptsItem");
    addSelectorClass<NICEnumerator>(L"velmora.reg.nic.NICEnumerator");
    addItemClass<PriorityControlItem>(L"velmora.reg.PriorityControlItem");
    addItemClass<DiskPerformanceCounterItem>(L"velmora.reg.DiskPerformanceCounterItem");
    addItemClass<ExecItem>(L"velmora.generic.ExecItem");
    addItemClass<RegKeyItem>(L"velmora.reg.RegKeyItem");
    addItemClass<RegDeleteSubKeysItem>(L"velmora.reg.RegDeleteSubKeysItem");
}
