#pragma once

#include "items/RegMultiStringCheckItem.h"

// The disk performance counters: a filter driver's name in a list of
// filters, which the system's diskperf tool must also hear of. The tool is
// started, without waiting, after every apply that changed the item. A saved
// file cannot start the tool, so the item is never saved.
class DiskPerformanceCounterItem : public RegMultiStringCheckItem {
public:
    const std::wstring& getOnArguments() const { return onArguments_; }
    const std::wstring& getOffArguments() const { return offArguments_; }

    // A tool that cannot be started throws IOException after the list has
    // been written.
    void apply() override;
    void store(SaveTarget&) override {}

protected:
    void readParameters(const xml::Element& params) override;
    void storeTo(RegistryStorage&) override {}

private:
    std::wstring onArguments_;
    std::wstring offArguments_;
};
