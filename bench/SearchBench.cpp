// How fast the main window's search reacts to typing: for each character
// typed into the search field and each one taken back, the time from the
// character reaching the field to the end of the filtering it causes, to the
// end of the relayout that follows, and to the end of painting. The window
// is velmora's own on the catalogue given, handled as the toolkit's message
// loop handles it: messages first, layouts in between.
//   search_bench /items <directory> [rounds]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "Timing.h"
#include "app/Velmora.h"
#include "awt/SharedLayouts.h"
#include "awt/Toolkit.h"
#include "config/ClassTable.h"
#include "core/Exception.h"
#include "core/Platform.h"
#include "views/ItemViewFactory.h"

namespace {

// Words of the shipped catalogue in both widths, and one that nothing holds.
const wchar_t* const WORDS[] = {L"mtu",
                                L"tcp",
                                L"\xFF34\xFF23\xFF30",  // ＴＣＰ
                                L"エクスプローラ",
                                L"\xFF74\xFF78\xFF7D\xFF8C\xFF9F\xFF9B\xFF70\xFF97",  // ｴｸｽﾌﾟﾛｰﾗ
                                L"タスク",
                                L"キャッシュ",
                                L"e",
                                L"xyzzy"};

struct Times {
    std::vector<double> filtered;
    std::vector<double> laidOut;
    std::vector<double> painted;
};

// Handles what the character caused until the layout queue is empty and no
// message waits, paint messages included, noting when the queue emptied.
void settle(double start, Times& times) {
    awt::Toolkit& toolkit = awt::Toolkit::getDefaultToolkit();
    double laidOut = 0;
    MSG msg;
    for (;;) {
        while (toolkit.hasInvalid() && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            toolkit.validateInvalid();
        }
        if (laidOut == 0 && !toolkit.hasInvalid()) laidOut = now();
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (toolkit.hasInvalid()) continue;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        toolkit.rethrowHeldException();
        toolkit.validateInvalid();
    }
    times.laidOut.push_back(laidOut - start);
    times.painted.push_back(now() - start);
}

void type(HWND field, wchar_t c, Times& times) {
    const double start = now();
    SendMessageW(field, WM_CHAR, c, 1);
    awt::Toolkit::getDefaultToolkit().rethrowHeldException();
    times.filtered.push_back(now() - start);
    settle(start, times);
}

// One frame at 60 Hz.
constexpr double FRAME = 1.0 / 60;

double worst(const std::vector<double>& values) {
    double most = 0;
    for (const double v : values) most = std::max(most, v);
    return most;
}

size_t overFrame(const std::vector<double>& values) {
    return std::count_if(values.begin(), values.end(), [](double v) { return v > FRAME; });
}

void report(const char* what, const Times& times) {
    say("%s: %zu keys\n", what, times.filtered.size());
    const std::pair<const char*, const std::vector<double>*> stages[] = {
        {"filtered", &times.filtered}, {"laid out", &times.laidOut}, {"painted", &times.painted}};
    for (const auto& [stage, values] : stages) {
        say("  %-8s median %6.2f ms, worst %6.2f ms, %zu over one frame\n", stage,
            1000 * median(*values), 1000 * worst(*values), overFrame(*values));
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    restrictDllSearchToSystem();
    if (argc < 3 || argc > 4 || std::wstring(argv[1]) != L"/items") {
        std::fprintf(stderr, "usage: search_bench /items <directory> [rounds]\n");
        return 2;
    }
    const int rounds = argc == 4 ? std::stoi(argv[3]) : 5;
    try {
        awt::Toolkit::setInstance(GetModuleHandleW(nullptr));
        awt::SharedLayouts::create();
        ClassTable::registerClasses();
        installItemViews();
        Velmora window({argv[1], argv[2]});
        window.setVisible(true);
        Times ignored;
        settle(now(), ignored);
        const HWND field = window.getSearchField().getField().getHandle();
        window.getSearchField().getField().requestFocus();

        // The first round shows pages for the first time, which creates
        // their windows; the later rounds find them made.
        Times first;
        Times later;
        for (int round = 0; round < rounds; ++round) {
            Times& times = round == 0 ? first : later;
            for (const wchar_t* word : WORDS) {
                const std::wstring text(word);
                for (const wchar_t c : text) type(field, c, times);
                for (size_t i = 0; i < text.size(); ++i) type(field, L'\b', times);
            }
        }
        report("first round", first);
        if (rounds > 1) report("later rounds", later);
        window.dispose();
        return 0;
    } catch (const Exception& e) {
        std::fwprintf(stderr, L"search_bench: %ls\n", e.getMessage().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "search_bench: %s\n", e.what());
    }
    return 1;
}
