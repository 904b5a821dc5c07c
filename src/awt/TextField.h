#pragma once

#include <string>

#include "awt/TextComponent.h"

namespace awt {

// A single line of editable text, as wide as a number of average characters.
class TextField : public TextComponent {
public:
    TextField(const std::wstring& text, int32_t columns);

    uint32_t getStyle() override;
    Size getPreferredSize() override;

    int32_t getColumns() const { return columns_; }
    void setColumns(int32_t columns);

private:
    int32_t columns_;
};

}  // namespace awt
