#include "Timing.h"

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

double now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double medianRatio(const std::vector<double>& mine, const std::vector<double>& bare,
                   double factor) {
    std::vector<double> ratios;
    for (size_t r = 0; r < mine.size() && r < bare.size(); ++r)
        ratios.push_back(mine[r] / (factor * bare[r]));
    return median(ratios);
}

namespace {

std::string formatList(const char* format, va_list arguments) {
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    return text;
}

std::string goalText(const Figure& figure) {
    return format("%s%g", figure.atLeast ? ">=" : "<=", figure.goal);
}

}  // namespace

std::string format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string text = formatList(format, arguments);
    va_end(arguments);
    return text;
}

void say(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const std::string text = formatList(format, arguments);
    va_end(arguments);
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

void printFigures(const std::vector<Figure>& figures) {
    say("\n%-12s %-34s %-34s %7s %7s %-4s %s\n", "figure", "this side", "against", "ratio", "goal",
        "", "rounds");
    for (const Figure& f : figures) {
        say("%-12s %-34s %-34s %7.3f %7s %-4s %d\n", f.name.c_str(), f.mineText.c_str(),
            f.bareText.c_str(), f.ratio, goalText(f).c_str(), f.met() ? "ok" : "over", f.rounds);
    }
    say("\n");
    for (const Figure& f : figures) {
        say("figure %s ratio %.3f goal %s %s\n", f.name.c_str(), f.ratio, goalText(f).c_str(),
            f.met() ? "ok" : "over");
    }
}
