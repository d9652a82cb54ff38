#include "app/qt/form1.h"

#include "app/core/form30_layout.h"
#include "app/core/texts.h"
#include "app/qt/art.h"
#include "app/qt/event_loop.h"
#include "app/qt/qt_rect.h"
#include "app/qt/qt_text.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace Chromell {
namespace {

AboutInstance& TheAbout() {
    static AboutInstance about;
    return about;
}

} // namespace

Form1::Form1() : QWidget(nullptr, Qt::Window) {
    using namespace Form1Layout;
    setWindowTitle(ToQString(Texts::kAboutCaption));
    setWindowIcon(AppIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(PixelSize(kClient));

    auto* credit = new QLabel(ToQString(Texts::kCreditLine), this);
    credit->setObjectName(ToQString(Texts::kForm1Label1Name));
    credit->setAccessibleName(ToQString(Texts::kForm1Label1Accessible.name));
    credit->setGeometry(PixelRect(kLabel1));
    credit->setAlignment(Qt::AlignCenter);
    credit->setWordWrap(true);

    auto* supz = new QPushButton(ToQString(Texts::kSupzCaption), this);
    supz->setObjectName(ToQString(Texts::kForm1Command1Name));
    supz->setAccessibleName(ToQString(Texts::kForm1Command1Accessible.name));
    supz->setAccessibleDescription(ToQString(Texts::kForm1Command1Accessible.description));
    supz->setGeometry(PixelRect(kCommand1));
    supz->setAutoDefault(false);
    supz->setDefault(false);
    supz->setFocus();

    connect(supz, &QPushButton::clicked, this, &Form1::Command1_Click);
}

Form1::~Form1() {
    TheAbout().Unloaded(*this);
}

Form1* Form1::ShowInstance() {
    return static_cast<Form1*>(&TheAbout().Show([] { return new Form1; }));
}

Form1* Form1::Instance() {
    return static_cast<Form1*>(TheAbout().Open());
}

// A closed window is gone for "About" at once, though Qt deletes it later.
void Form1::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        TheAbout().Unloaded(*this);
    }
}

void Form1::Command1_Click() {
    Supz_Click(*this);
}

// An application-modal box; returns once it is dismissed.
void Form1::ShowProgramModalMessage(std::u16string_view title, std::u16string_view text) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, ToQString(title), ToQString(text),
                                QMessageBox::Ok, this);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    RunModal(*box);
}

void Form1::Restore() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
}

void Form1::Show() {
    show();
}

void Form1::BringToFront() {
    raise();
    activateWindow();
}

} // namespace Chromell
