#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace Chromell {

// The About window: the credit line and "Supz", which lists the people the
// program thanks. There is at most one; it deletes itself when closed.
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

    QLabel* Label1;
    QPushButton* Command1;

private slots:
    void Command1_Click();

private:
    Form1();
};

} // namespace Chromell
