// "Fade It" in the real main window with a 32,767-character text, on Qt's
// offscreen platform: from the click to the painted preview, and to the whole
// window painted (output box laid out and drawn as well). Goal: under 100 ms.
#include "app/qt/form30.h"
#include "app/qt/preview_box.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <benchmark/benchmark.h>

namespace {

QString SampleText(int length) {
    const QString words = QStringLiteral("The quick brown fox jumps over the lazy dog. ");
    QString text;
    while (text.size() < length) {
        text += words.left(length - text.size());
    }
    return text;
}

// A window with three colours picked and the text typed in.
Chromell::Form30* ReadyWindow(int length) {
    auto* form = new Chromell::Form30;
    form->Form_Load();
    form->findChild<QScrollBar*>(QStringLiteral("red1"))->setValue(255);
    form->findChild<QScrollBar*>(QStringLiteral("green2"))->setValue(200);
    form->findChild<QScrollBar*>(QStringLiteral("blue3"))->setValue(255);
    form->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(SampleText(length));
    QCoreApplication::processEvents();
    return form;
}

void BM_FadeItToPaintedPreview(benchmark::State& state) {
    Chromell::Form30* form = ReadyWindow(static_cast<int>(state.range(0)));
    auto* fadeIt = form->findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* preview = form->findChild<Chromell::PreviewBox*>(QStringLiteral("Picture1"));
    for (auto _ : state) {
        fadeIt->click();
        preview->repaint();
    }
    delete form;
}
BENCHMARK(BM_FadeItToPaintedPreview)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_FadeItToPaintedWindow(benchmark::State& state) {
    Chromell::Form30* form = ReadyWindow(static_cast<int>(state.range(0)));
    auto* fadeIt = form->findChild<QPushButton*>(QStringLiteral("Command1"));
    for (auto _ : state) {
        fadeIt->click();
        QCoreApplication::processEvents();
        form->repaint();
    }
    delete form;
}
BENCHMARK(BM_FadeItToPaintedWindow)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
