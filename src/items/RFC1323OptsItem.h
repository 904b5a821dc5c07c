#pragma once

#include "items/AbstractRegBitValueItem.h"

// The TCP options of RFC 1323 in one DWORD: window scaling and timestamps.
class RFC1323OptsItem : public AbstractRegBitValueItem {
public:
    static constexpr uint32_t WINDOW_SCALING = 1;
    static constexpr uint32_t TIMESTAMPING = 2;

    const std::wstring& getWindowScalingLabel() const { return windowScalingLabel_; }
    const std::wstring& getTimestampingLabel() const { return timestampingLabel_; }
    // Sets or clears the option's bit and keeps every other bit.
    void setOption(uint32_t bit, bool on);

    awt::Component* createView() override;

protected:
    void readParameters(const xml::Element& params) override;

private:
    std::wstring windowScalingLabel_;
    std::wstring timestampingLabel_;
};
