// chromell-fade's way to the preview: the module next to the executable,
// loaded the first time a preview is asked for.
#include "cli/preview_png.h"

#include <dlfcn.h>
#include <filesystem>

namespace Chromell {
namespace {

using PrepareFunction = PendingPreview* (*)(const char16_t*, std::size_t, const std::string*,
                                            std::string*);

PrepareFunction LoadModule(std::string& error) {
    static PrepareFunction prepare = nullptr;
    if (prepare) {
        return prepare;
    }
    std::error_code failed;
    const std::filesystem::path executable =
        std::filesystem::read_symlink("/proc/self/exe", failed);
    const std::filesystem::path module =
        (failed ? std::filesystem::path() : executable.parent_path()) / CHROMELL_PREVIEW_MODULE;
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        error = std::string("previews are not available: ") + dlerror();
        return nullptr;
    }
    prepare = reinterpret_cast<PrepareFunction>(dlsym(handle, "chromell_fade_prepare_preview"));
    if (!prepare) {
        error = "previews are not available: " + module.string() + " is not the preview module";
    }
    return prepare;
}

} // namespace

bool PreviewAvailable(std::string& error) {
    return LoadModule(error) != nullptr;
}

std::unique_ptr<PendingPreview> PreparePreviewPng(std::u16string_view markup,
                                                  const std::string& path, std::string& error) {
    const PrepareFunction prepare = LoadModule(error);
    if (!prepare) {
        return nullptr;
    }
    return std::unique_ptr<PendingPreview>(prepare(markup.data(), markup.size(), &path, &error));
}

} // namespace Chromell
