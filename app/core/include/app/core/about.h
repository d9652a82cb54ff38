#pragma once

#include <functional>
#include <string_view>

namespace Chromell {

// What the About rules need of an About window a shell shows.
class Form1View {
public:
    virtual ~Form1View() = default;

    virtual void Restore() = 0; // to the normal state, should it be minimized
    virtual void Show() = 0;    // not modal
    virtual void BringToFront() = 0;
    // A message box the whole program waits on: none of its windows takes
    // input until the box is dismissed.
    virtual void ShowProgramModalMessage(std::u16string_view title, std::u16string_view text) = 0;
};

// "Supz": the handle list, in a box modal to the whole program.
void Supz_Click(Form1View& about);

// The program's one About window: made the first time it is shown, brought
// back and to the front while it is open, and made afresh after it closed.
class AboutInstance {
public:
    // Shows the About window; `create` makes a new one when none is open.
    // Returns the window shown.
    Form1View& Show(const std::function<Form1View*()>& create);
    // The open About window, or nullptr.
    Form1View* Open() const { return open_; }
    // The shell's word that `window` has unloaded.
    void Unloaded(const Form1View& window);

private:
    Form1View* open_ = nullptr;
};

// How long the program runs: until none of its windows is loaded. An open
// About window keeps it running after the main window has closed.
class LoadedWindows {
public:
    void Loaded() { ++count_; }
    // Returns whether that was the last window: the program ends.
    [[nodiscard]] bool Unloaded();
    int Count() const { return count_; }

private:
    int count_ = 0;
};

} // namespace Chromell
