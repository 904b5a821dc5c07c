#pragma once

#include <cstdint>
#include <string>

namespace awt {

class Window;

// The system's modal dialog for opening or saving one file of a given
// extension. A file to open must exist, and a shortcut chosen is returned as
// itself. It is not a component: setVisible(true) shows the dialog and
// returns when the user has chosen a file or cancelled.
class FileDialog {
public:
    static constexpr int32_t SAVE = 0;
    static constexpr int32_t OPEN = 1;

    // The owner's peer, if it has one, owns the dialog while it is shown.
    FileDialog(Window* owner, const std::wstring& title, int32_t mode);

    // The name the dialog starts with; afterwards the one chosen, or the
    // empty text when the user cancelled.
    void setFile(const std::wstring& file) { file_ = file; }
    const std::wstring& getFile() const { return file_; }
    // Without the dot. An empty extension shows every file.
    void setExtension(const std::wstring& extension) { extension_ = extension; }
    void setVisible(bool visible);

    // The dialog's filter for files of the extension, described by the
    // shell's name of their type when there is one: description, zero,
    // pattern, zero, with the final zero left to c_str(). Empty without an
    // extension.
    static std::wstring makeFilter(const std::wstring& extension, const std::wstring& typeName);

private:
    Window* owner_;
    std::wstring title_;
    int32_t mode_;
    std::wstring file_;
    std::wstring extension_;
};

}  // namespace awt
