#pragma once

#include <string>

// The message of the exception of type E that f throws, or a text saying that
// none was thrown.
template <typename E, typename F>
std::wstring messageOf(F f) {
    try {
        f();
    } catch (const E& e) {
        return e.getMessage();
    }
    return L"(nothing thrown)";
}
