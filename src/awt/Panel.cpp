#include "awt/Panel.h"

#include <windows.h>

namespace awt {

uint32_t Panel::getStyle() { return Container::getStyle() | SS_NOTIFY; }

}  // namespace awt
