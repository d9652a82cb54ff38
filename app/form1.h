#pragma once

#include <QWidget>

namespace Chromell {

// The About window: the credit line and "Supz", which lists the people the
// program thanks. There is at most one; it deletes itself when closed. Its
// controls are named Label1 (the credit) and Command1 ("Supz") for findChild.
class Form1 : public QWidget {
    Q_OBJECT
public:
    // Shows the About window without making it modal: creates it when none is
    // open, otherwise brings the open one to the front. Returns it.
    static Form1* ShowInstance();
    // The open About window, or nullptr.
    static Form1* Instance();

    // The text of the handle list.
    static QString HandleList();

private:
    Form1();

    void Command1_Click();
};

} // namespace Chromell
