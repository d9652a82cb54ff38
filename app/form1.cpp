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

    Label1 = new QLabel(tr("Made by Wenna Drossel: come and visit wenna-drossel.example!"), this);
    Label1->setGeometry(TwipsRect(0, 0, 3375, 495));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);

    Command1 = new QPushButton(QStringLiteral("Supz"), this);
    Command1->setGeometry(TwipsRect(840, 600, 1815, 255));
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
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
