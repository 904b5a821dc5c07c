#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "items/AbstractRegBitValueItem.h"

// The processor scheduling word: bits 0-1 the foreground boost, 2-3 whether
// time slices are variable or fixed, 4-5 their length. A field holding 0 (or
// 3) leaves the choice to the system, which decides differently on servers.
class PriorityControlItem : public AbstractRegBitValueItem {
public:
    static constexpr size_t LENGTH_CHOICES = 2;
    static constexpr size_t BOOST_CHOICES = 3;

    bool isServer() const { return server_; }
    const std::wstring& getLengthTitle() const { return lengthTitle_; }
    const std::wstring& getLengthName(size_t index) const { return lengthNames_.at(index); }
    const std::wstring& getBoostTitle() const { return boostTitle_; }
    const std::wstring& getBoostName(size_t index) const { return boostNames_.at(index); }

    // True for the first length choice, as the current value reads.
    bool getLengthChoice() const;
    // 0 to 2; always 0 while the time slices are fixed, which gives no boost.
    int32_t getBoostIndex() const;
    void setLength(bool first);
    // Throws IllegalArgumentException "boost: " + index outside 0 to 2.
    void setBoost(int32_t index);

    awt::Component* createView() override;

protected:
    // More item names in a select than the group has choices are a
    // definition error.
    void readParameters(const xml::Element& params) override;

private:
    bool server_ = false;
    std::wstring lengthTitle_;
    std::vector<std::wstring> lengthNames_ = std::vector<std::wstring>(LENGTH_CHOICES);
    std::wstring boostTitle_;
    std::vector<std::wstring> boostNames_ = std::vector<std::wstring>(BOOST_CHOICES);
};
