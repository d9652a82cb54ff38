#include "app/form1.h"

#include "app/art.h"
#include "app/twips.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

namespace Chromell {
namespace {

QPointer<Form1>& OpenInstance() {
    static QPointer<Form1> instance;
    return instance;
}

} // namespace

Form1::Form1() : QWidget(nullptr, Qt::Window) {
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(AppIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(TwipsToPixels(3375), TwipsToPixels(885));

    auto* credit =
        new QLabel(tr("Made by Wenna Drossel: come and visit wenna-drossel.example!"), this);
    credit->setObjectName(QStringLiteral("Label1"));
    credit->setAccessibleName(tr("Credit"));
    credit->setGeometry(TwipsRect(0, 0, 3375, 495));
    credit->setAlignment(Qt::AlignCenter);
    credit->setWordWrap(true);

    auto* supz = new QPushButton(QStringLiteral("Supz"), this);
    supz->setObjectName(QStringLiteral("Command1"));
    supz->setAccessibleName(QStringLiteral("Supz"));
    supz->setAccessibleDescription(tr("Lists the people the program thanks"));
    supz->setGeometry(TwipsRect(840, 600, 1815, 255));
    supz->setAutoDefault(false);
    supz->setDefault(false);
    supz->setFocus();

    connect(supz, &QPushButton::clicked, this, &Form1::Command1_Click);
}

Form1* Form1::ShowInstance() {
    QPointer<Form1>& instance = OpenInstance();
    if (instance.isNull()) {
        instance = new Form1;
    }
    instance->setWindowState(instance->windowState() & ~Qt::WindowMinimized);
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

Form1* Form1::Instance() {
    return OpenInstance();
}

QString Form1::HandleList() {
    static const QStringList handles = {
        QStringLiteral("zinnober"),   QStringLiteral("quillfox"),   QStringLiteral("lumenkat"),
        QStringLiteral("mossbyte"),   QStringLiteral("tarnwing"),   QStringLiteral("velvetjolt"),
        QStringLiteral("brisketeer"), QStringLiteral("nightpeel"),  QStringLiteral("oxbloom"),
        QStringLiteral("fennrake"),   QStringLiteral("glimmerdog"), QStringLiteral("pocketcomet"),
    };
    return handles.join(QStringLiteral(", "));
}

// Lists the handles in an application-modal box and waits until it is dismissed.
void Form1::Command1_Click() {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Chromell"), HandleList(),
                                QMessageBox::Ok, this);
    box->setWindowModality(Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->exec();
}

} // namespace Chromell
