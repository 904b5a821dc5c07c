#pragma once

#include "awt/Container.h"

namespace awt {

// A plain container over a static control, which reports mouse input
// (SS_NOTIFY) so that mouse listeners work on it.
class Panel : public virtual Container {
public:
    const wchar_t* getClassName() override { return L"STATIC"; }
    uint32_t getStyle() override;
};

}  // namespace awt
