#include "app/WindowBudget.h"

#include "awt/Component.h"
#include "core/Exception.h"

void WindowBudget::check(const awt::Component& window, const std::wstring& itemsDirectory) {
    const int32_t needed = window.countNativeWindows();
    if (needed <= LIMIT) return;
    throw ConfigException(L"設定項目が多すぎるため、ウィンドウを作ることが出来ません。\n" +
                          std::wstring(L"必要なウィンドウ: ") + std::to_wstring(needed) +
                          L" 個 (上限 " + std::to_wstring(LIMIT) + L" 個)\n" +
                          L"定義ファイルのフォルダ: " + itemsDirectory);
}
