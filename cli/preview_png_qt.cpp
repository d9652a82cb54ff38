// Preview PNGs drawn with Qt: the window's renderer on the window's surface.
#include "cli/preview_png.h"
#include "cli/whole_preview.h"
#include "preview/preview_box.h"
#include "preview/qt/qt_drawing_surface.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <exception>
#include <optional>

namespace Chromell {
namespace {

// Qt expects a runtime directory of the user's own (XDG_RUNTIME_DIR) and
// warns when there is none, as under sudo, cron or in a container. Then one is
// made for as long as Qt runs here: a fresh directory that only this user can
// enter, removed afterwards, with the variable unset again.
class PrivateRuntimeDir {
public:
    PrivateRuntimeDir() {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            return;
        }
        dir_.emplace(QDir::tempPath() + "/chromell-fade-runtime-XXXXXX");
        if (dir_->isValid() &&
            QFile::setPermissions(dir_->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
            set_ = qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_->path()));
        }
    }
    ~PrivateRuntimeDir() {
        if (set_) {
            qunsetenv("XDG_RUNTIME_DIR");
        }
    }
    PrivateRuntimeDir(const PrivateRuntimeDir&) = delete;
    PrivateRuntimeDir& operator=(const PrivateRuntimeDir&) = delete;

private:
    std::optional<QTemporaryDir> dir_;
    bool set_ = false;
};

// Fonts can only be resolved while a QGuiApplication exists. When there is
// none, one is made for the drawing: on the platform QT_QPA_PLATFORM names if
// it is set, otherwise on the display's platform, with Qt's offscreen
// platform as the fallback when the display cannot be reached and the choice
// when there is no display at all. The plugin names come from the build.
class GuiSession {
public:
    GuiSession() {
        if (QCoreApplication::instance()) {
            return;
        }
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            QByteArray platforms;
            if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
                platforms += CHROMELL_QPA_WAYLAND ";";
            }
            if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
                platforms += CHROMELL_QPA_X11 ";";
            }
            platforms += CHROMELL_QPA_HEADLESS;
            qputenv("QT_QPA_PLATFORM", platforms);
        }
        runtimeDir_.emplace();
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }

    bool CanDraw() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

private:
    int argc_ = 1;
    char name_[14] = "chromell-fade";
    char* argv_[2] = {name_, nullptr};
    std::optional<PrivateRuntimeDir> runtimeDir_; // outlives the application
    std::unique_ptr<QGuiApplication> app_;
};

class SavedPreview : public PendingPreview {
public:
    explicit SavedPreview(const QString& path) : file(path) {}

    // QSaveFile throws the temporary file away when it is destroyed uncommitted.
    bool Commit(std::string& error) override {
        if (!file.commit()) {
            error = file.errorString().toStdString();
            return false;
        }
        return true;
    }

    QSaveFile file;
};

// The window's surface on a QImage, white.
class QtCanvas : public PreviewCanvas {
public:
    VexoFade::DrawingSurface& Surface() override { return surface_; }
    PreviewSize Size() const override { return {size_.width(), size_.height()}; }
    PreviewSize DrawnExtent() const override {
        const QSize drawn = surface_.DrawnExtent();
        return {drawn.width(), drawn.height()};
    }
    bool Resize(PreviewSize size) override {
        size_ = QSize(size.width, size.height);
        surface_.Resize(size_);
        return surface_.image().size() == size_; // a null image when out of memory
    }
    const QImage& Image() { return surface_.image(); }

private:
    QSize size_{VexoFade::kPreviewBoxWidth, VexoFade::kPreviewBoxHeight};
    VexoFade::QtDrawingSurface surface_{size_, Qt::white};
};

bool DrawPng(std::u16string_view markup, QByteArray& png, std::string& error) {
    QtCanvas canvas;
    if (!DrawWholePreview(canvas, markup, error)) {
        return false;
    }
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(canvas.Image())) {
        error = "could not encode the preview: " + writer.errorString().toStdString();
        return false;
    }
    return true;
}

} // namespace

bool PreviewAvailable(std::string&) {
    return true;
}

std::unique_ptr<PendingPreview> PreparePreviewPng(std::u16string_view markup,
                                                  const std::string& path, std::string& error) {
    const QString fileName = QFile::decodeName(QByteArray::fromStdString(path));
    const std::string where = "cannot write the preview to '" + path + "': ";
    // Devices, pipes and directories are not replaced by a file.
    const QFileInfo existing(fileName);
    if (existing.exists() && !existing.isFile()) {
        error = where + (existing.isDir() ? "it is a directory" : "it is not a regular file");
        return nullptr;
    }
    auto pending = std::make_unique<SavedPreview>(fileName);
    if (!pending->file.open(QIODevice::WriteOnly)) {
        error = where + pending->file.errorString().toStdString();
        return nullptr;
    }

    QByteArray png;
    {
        GuiSession session;
        if (!session.CanDraw()) {
            error = "cannot draw the preview: the program runs without a GUI application";
            return nullptr;
        }
        try {
            if (!DrawPng(markup, png, error)) {
                return nullptr;
            }
        } catch (const std::exception& e) {
            error = std::string("cannot draw the preview: ") + e.what();
            return nullptr;
        }
    }
    if (pending->file.write(png) != png.size()) {
        error = where + pending->file.errorString().toStdString();
        return nullptr;
    }
    return pending;
}

} // namespace Chromell
