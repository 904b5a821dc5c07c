#include "items/DiskPerformanceCounterItem.h"

#include "core/Platform.h"
#include "core/StringUtil.h"
#include "items/Params.h"

void DiskPerformanceCounterItem::readParameters(const xml::Element& params) {
    forEachParam(params, [this](const std::wstring& name, const xml::Node& param) {
        if (name == L"true") onArguments_ = param.getText();
        if (name == L"false") offArguments_ = param.getText();
    });
    RegMultiStringCheckItem::readParameters(params);
}

void DiskPerformanceCounterItem::apply() {
    if (!isChanged()) return;
    RegMultiStringCheckItem::apply();
    // By its full path: a diskperf.exe planted in the current directory or
    // on the search path must never run with our rights.
    startProcess(joinPath(systemDirectory(), L"diskperf.exe"),
                 getCurrentState() ? onArguments_ : offArguments_);
}
