#pragma once

#include "app/core/about.h"

#include <QWidget>

namespace Chromell {

// The About window in Qt: the credit line and "Supz", which lists the people
// the program thanks. There is at most one (AboutInstance); it deletes itself
// when closed. Its controls are named Label1 (the credit) and Command1
// ("Supz") for findChild.
class Form1 : public QWidget, public Form1View {
    Q_OBJECT
public:
    ~Form1() override;

    // Shows the About window without making it modal: creates it when none is
    // open, otherwise brings the open one to the front. Returns it.
    static Form1* ShowInstance();
    // The open About window, or nullptr.
    static Form1* Instance();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Form1();

    void Command1_Click();

    // Form1View
    void Restore() override;
    void Show() override;
    void BringToFront() override;
    void ShowProgramModalMessage(std::u16string_view title, std::u16string_view text) override;
};

} // namespace Chromell
