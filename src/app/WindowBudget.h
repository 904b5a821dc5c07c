#pragma once

#include <cstdint>
#include <string>

namespace awt {
class Component;
}

// Windows gives a process a quota of user-interface objects, 10,000 by
// default, and every view of the catalogue is one or more windows. Past the
// quota, making a window fails halfway through a page or takes the window
// system down with it; a catalogue too large for the quota is refused before
// the first window is made.
class WindowBudget {
public:
    static constexpr int32_t PROCESS_QUOTA = 10'000;
    // Kept for what is not the catalogue's: the file dialog, which makes
    // about 30 windows, message boxes, the thread's input method window,
    // icons and menus.
    static constexpr int32_t RESERVE = 500;
    static constexpr int32_t LIMIT = PROCESS_QUOTA - RESERVE;

    // Throws ConfigException when the window, every page shown, would need
    // more windows than LIMIT; the message names the definitions' folder.
    static void check(const awt::Component& window, const std::wstring& itemsDirectory);
};
