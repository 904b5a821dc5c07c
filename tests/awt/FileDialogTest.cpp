#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "../core/MessageOf.h"
#include "GuiSupport.h"
#include "WindowTree.h"
#include "awt/FileDialog.h"
#include "core/Exception.h"

// The system's file dialog, answered as a person would while it is shown.
// The test reads back what the dialog got through its window tree.
namespace {

using awt::FileDialog;

constexpr int FILE_TYPE_COMBO = 0x470;  // cmb1 of the dialog template
constexpr int FILE_NAME_COMBO = 0x47C;  // cmb13

// Shows the dialog; once it is up, lists its windows, sends it the keys and
// clicks the button. A dialog that closed at the press of a key would leave
// Wine holding that key down for the next program on the display.
struct Answer {
    std::wstring title, keys;
    int button;
    std::vector<window_tree::Entry> windows{};
    HWND owner = nullptr;

    void showAndAnswer(FileDialog& fileDialog) {
        current = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, tick);
        fileDialog.setVisible(true);
        KillTimer(nullptr, timer);
    }
    const window_tree::Entry& find(const std::wstring& className, int id) const {
        for (const auto& w : windows) {
            if (w.id == id && w.className == className) return w;
        }
        throw std::out_of_range("no such window");
    }

    static inline Answer* current = nullptr;
    static void CALLBACK tick(HWND, UINT, UINT_PTR timer, DWORD) {
        Answer& a = *current;
        window_tree::Filter filter;
        filter.processId = GetCurrentProcessId();
        filter.title = a.title;
        const auto found = window_tree::findTopLevel(filter);
        if (found.empty()) return;
        KillTimer(nullptr, timer);
        a.windows = window_tree::list(found[0]);
        a.owner = GetWindow(found[0], GW_OWNER);
        const window_tree::Entry& b = a.find(L"Button", a.button);
        // The X window may not be mapped yet, and until it has the X focus
        // keys go to wherever the pointer is.
        awt_test::xdotool(L"search --sync --onlyvisible --limit 1 --name \"^" + a.title +
                          L"$\" windowfocus --sync " + a.keys + L" mousemove " +
                          std::to_wstring(b.screenX + b.width / 2) + L" " +
                          std::to_wstring(b.screenY + b.height / 2) + L" click 1");
    }
};

// The path as keys to press. (xdotool's "type" would swallow every
// argument after it, the Return too.)
std::wstring keysFor(const std::wstring& path) {
    static const std::map<wchar_t, std::wstring> names{{L'\\', L"backslash"},
                                                       {L':', L"colon"},
                                                       {L'.', L"period"},
                                                       {L'-', L"minus"},
                                                       {L'_', L"underscore"}};
    std::wstring keys;
    for (wchar_t c : path) keys += (names.contains(c) ? names.at(c) : std::wstring(1, c)) + L" ";
    return keys;
}

TEST(FileDialog, FilterNamesTheTypeOrFallsBackToTheExtension) {
    using namespace std::string_literals;
    EXPECT_EQ(FileDialog::makeFilter(L"reg", L"Registration Entries"),
              L"Registration Entries (*.reg)\0*.reg\0"s);
    EXPECT_EQ(FileDialog::makeFilter(L"reg", L""), L"reg file\0*.reg\0"s);
    EXPECT_EQ(FileDialog::makeFilter(L"", L"Anything"), L"");
}

TEST(FileDialog, ATypedPathIsTheFileChosenAndTheShellNamesTheFilter) {
    awt::Frame owner(L"dialog owner");
    owner.setBounds(50, 50, 200, 100);
    owner.setVisible(true);
    wchar_t directory[MAX_PATH];
    GetTempPathW(MAX_PATH, directory);
    const std::wstring path = std::wstring(directory) + L"velmora-dialog.reg";
    DeleteFileW(path.c_str());

    FileDialog dialog(&owner, L"save here", FileDialog::SAVE);
    dialog.setExtension(L"reg");
    // Typed without its extension: the dialog adds it, so the overwrite
    // question would ask about the file really written.
    Answer answer{L"save here", L"key --delay 20 " + keysFor(path.substr(0, path.size() - 4)),
                  IDOK};
    answer.showAndAnswer(dialog);
    EXPECT_EQ(dialog.getFile(), path);
    // The prefix does not know .reg files; Wine's shell then names the type
    // ".reg file" itself, which the dialog's own fallback ("reg file") is not.
    EXPECT_EQ(answer.find(L"ComboBox", FILE_TYPE_COMBO).text, L".reg file (*.reg)");
    EXPECT_EQ(answer.owner, owner.getHandle());
}

TEST(FileDialog, CancellingGivesNoFileAndOnlyOverlongNamesThrow) {
    // Wine's dialog overruns its buffers when the full path of the name
    // passes MAX_PATH; this name of 260 characters is C:\abc.reg.
    std::wstring longest = L"C:\\";
    for (int i = 0; i < 50; ++i) longest += L"x\\..\\";
    longest += L"abc.reg";
    ASSERT_EQ(longest.size(), static_cast<size_t>(MAX_PATH));
    FileDialog dialog(nullptr, L"open this", FileDialog::OPEN);
    dialog.setFile(longest + L"n");
    EXPECT_EQ(messageOf<Exception>([&] { dialog.setVisible(true); }),
              L"too long: " + longest + L"n");
    EXPECT_EQ(messageOf<Exception>([&] { dialog.setVisible(false); }),
              L"FileDialog::setVisible(false)");

    dialog.setFile(longest);
    Answer answer{L"open this", L"", IDCANCEL};
    answer.showAndAnswer(dialog);
    EXPECT_EQ(dialog.getFile(), L"");
    EXPECT_EQ(answer.find(L"ComboBoxEx32", FILE_NAME_COMBO).text, L"abc.reg");
}

}  // namespace
