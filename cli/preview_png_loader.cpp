// chromell-fade's way to the preview: the module, loaded the first time a
// preview is asked for, from next to the executable (the build tree) or else
// from the installed place, CHROMELL_PREVIEW_MODULE_RELDIR from the
// executable's folder (e.g. ../lib/chromell).
#include "cli/preview_png.h"

#include <dlfcn.h>
#include <filesystem>
#include <vector>

namespace Chromell {
namespace {

using PrepareFunction = PendingPreview* (*)(const char16_t*, std::size_t, const std::string*,
                                            std::string*);

std::vector<std::filesystem::path> ModuleCandidates() {
    std::error_code failed;
    const std::filesystem::path executable =
        std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed) {
        return {CHROMELL_PREVIEW_MODULE}; // left to the dynamic linker's search
    }
    const std::filesystem::path folder = executable.parent_path();
    return {folder / CHROMELL_PREVIEW_MODULE,
            (folder / CHROMELL_PREVIEW_MODULE_RELDIR / CHROMELL_PREVIEW_MODULE).lexically_normal()};
}

void* OpenModule(std::filesystem::path& opened, std::string& error) {
    const std::vector<std::filesystem::path> candidates = ModuleCandidates();
    std::string tried;
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code failed;
        if (candidates.size() > 1 && !std::filesystem::exists(candidate, failed)) {
            tried += (tried.empty() ? "" : " or ") + candidate.string();
            continue;
        }
        void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            error = std::string("previews are not available: ") + dlerror();
        }
        opened = candidate;
        return handle;
    }
    error = "previews are not available: no preview module at " + tried;
    return nullptr;
}

PrepareFunction LoadModule(std::string& error) {
    static PrepareFunction prepare = nullptr;
    if (prepare) {
        return prepare;
    }
    std::filesystem::path module;
    void* handle = OpenModule(module, error);
    if (!handle) {
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
