// Preview PNGs on Windows: the window's renderer on the GDI surface, encoded
// by the Windows Imaging Component.
#include "cli/preview_png.h"
#include "cli/whole_preview.h"
#include "engine/utf8.h"
#include "preview/preview_box.h"
#include "preview/win32/gdi_drawing_surface.h"

#include <algorithm>
#include <exception>
#include <objbase.h>
#include <vector>
#include <wincodec.h>

namespace Chromell {
namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class T> using ComPointer = std::unique_ptr<T, Releaser>;

std::string Utf8(std::wstring_view text) {
    std::string out;
    VexoFade::AppendUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()), out);
    return out;
}

// The system's words for an error code, without the closing period.
std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    if (message.empty()) {
        char number[32];
        std::snprintf(number, sizeof number, "error %lu", static_cast<unsigned long>(code));
        return number;
    }
    return Utf8(message);
}

// The path as the program was given it: UTF-8 when it is valid UTF-8 (as the
// rest of the command line is read), otherwise in the ANSI code page.
std::wstring WidePath(const std::string& path) {
    if (const auto text = VexoFade::DecodeUtf8(path)) {
        return std::wstring(text->begin(), text->end());
    }
    const int size = static_cast<int>(std::min<std::size_t>(path.size(), INT_MAX));
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// COM for this thread while the image is encoded (if the thread has it
// already, in whatever model, that is used).
class ComSession {
public:
    ComSession() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComSession() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;
    bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

// Encodes the surface's picture as a 24-bit PNG at 96 DPI into `png`.
bool EncodePng(const VexoFade::GdiDrawingSurface& surface, std::vector<char>& png,
               std::string& error) {
    HRESULT result = S_OK;
    const auto failed = [&](const char* step) {
        error = std::string("could not encode the preview (") + step +
                "): " + SystemMessage(static_cast<DWORD>(result));
        return false;
    };
    ComSession com;
    if (!com.usable()) {
        result = com.result();
        return failed("COM");
    }
    IWICImagingFactory* rawFactory = nullptr;
    result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&rawFactory));
    if (FAILED(result)) {
        return failed("imaging component");
    }
    const ComPointer<IWICImagingFactory> factory(rawFactory);
    IStream* rawStream = nullptr;
    result = CreateStreamOnHGlobal(nullptr, TRUE, &rawStream);
    if (FAILED(result)) {
        return failed("memory stream");
    }
    const ComPointer<IStream> stream(rawStream);
    IWICBitmapEncoder* rawEncoder = nullptr;
    result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &rawEncoder);
    if (FAILED(result)) {
        return failed("PNG encoder");
    }
    const ComPointer<IWICBitmapEncoder> encoder(rawEncoder);
    IWICBitmapFrameEncode* rawFrame = nullptr;
    if (FAILED(result = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(result = encoder->CreateNewFrame(&rawFrame, nullptr))) {
        return failed("frame");
    }
    const ComPointer<IWICBitmapFrameEncode> frame(rawFrame);
    const auto width = static_cast<UINT>(surface.width());
    const auto height = static_cast<UINT>(surface.height());
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(result = frame->Initialize(nullptr)) ||
        FAILED(result = frame->SetSize(width, height)) ||
        FAILED(result = frame->SetResolution(96.0, 96.0)) ||
        FAILED(result = frame->SetPixelFormat(&format))) {
        return failed("frame");
    }
    if (format != GUID_WICPixelFormat24bppBGR) {
        result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
        return failed("pixel format");
    }

    // The rows go in as bytes B, G, R, some at a time.
    const UINT stride = (width * 3 + 3) / 4 * 4;
    const UINT rowsPerBlock = std::max<UINT>(1, (1u << 20) / stride);
    std::vector<BYTE> block(static_cast<std::size_t>(stride) * rowsPerBlock);
    const std::uint32_t* bits = surface.Bits();
    for (UINT top = 0; top < height; top += rowsPerBlock) {
        const UINT rows = std::min(rowsPerBlock, height - top);
        for (UINT y = 0; y < rows; ++y) {
            const std::uint32_t* from = bits + static_cast<std::size_t>(top + y) * width;
            BYTE* to = block.data() + static_cast<std::size_t>(y) * stride;
            for (std::size_t x = 0; x < width; ++x) {
                BYTE* pixel = to + 3 * x;
                pixel[0] = static_cast<BYTE>(from[x]);
                pixel[1] = static_cast<BYTE>(from[x] >> 8);
                pixel[2] = static_cast<BYTE>(from[x] >> 16);
            }
        }
        if (FAILED(result = frame->WritePixels(rows, stride, stride * rows, block.data()))) {
            return failed("pixels");
        }
    }
    if (FAILED(result = frame->Commit()) || FAILED(result = encoder->Commit())) {
        return failed("commit");
    }

    HGLOBAL memory = nullptr;
    STATSTG status{};
    if (FAILED(result = GetHGlobalFromStream(stream.get(), &memory)) ||
        FAILED(result = stream->Stat(&status, STATFLAG_NONAME))) {
        return failed("memory stream");
    }
    const void* bytes = GlobalLock(memory);
    if (bytes == nullptr) {
        result = HRESULT_FROM_WIN32(GetLastError());
        return failed("memory stream");
    }
    const auto* first = static_cast<const char*>(bytes);
    png.assign(first, first + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return true;
}

// The window's GDI surface, white, at 96 DPI.
class GdiCanvas : public PreviewCanvas {
public:
    VexoFade::DrawingSurface& Surface() override { return surface_; }
    PreviewSize Size() const override { return {surface_.width(), surface_.height()}; }
    PreviewSize DrawnExtent() const override {
        const SIZE drawn = surface_.DrawnExtent();
        return {static_cast<int>(drawn.cx), static_cast<int>(drawn.cy)};
    }
    bool Resize(PreviewSize size) override { return surface_.Resize(size.width, size.height); }
    const VexoFade::GdiDrawingSurface& Picture() const { return surface_; }

private:
    VexoFade::GdiDrawingSurface surface_{VexoFade::kPreviewBoxWidth, VexoFade::kPreviewBoxHeight};
};

bool DrawPng(std::u16string_view markup, std::vector<char>& png, std::string& error) {
    GdiCanvas canvas;
    return DrawWholePreview(canvas, markup, error) && EncodePng(canvas.Picture(), png, error);
}

// The PNG in a temporary file beside its destination, until Commit moves it
// there; uncommitted, it is deleted.
class TemporaryPreview : public PendingPreview {
public:
    TemporaryPreview(std::wstring destination, std::wstring temporary, HANDLE file)
        : destination_(std::move(destination)), temporary_(std::move(temporary)), file_(file) {}
    ~TemporaryPreview() override {
        Close();
        if (!committed_) {
            DeleteFileW(temporary_.c_str());
        }
    }
    TemporaryPreview(const TemporaryPreview&) = delete;
    TemporaryPreview& operator=(const TemporaryPreview&) = delete;

    // Writes all of `bytes`; on failure returns the system's error code.
    DWORD Write(const std::vector<char>& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const auto chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (WriteFile(file_, bytes.data() + done, chunk, &written, nullptr) == 0) {
                return GetLastError();
            }
            done += written;
        }
        return ERROR_SUCCESS;
    }

    bool Commit(std::string& error) override {
        if (!Close()) {
            error = SystemMessage(GetLastError());
            return false;
        }
        if (MoveFileExW(temporary_.c_str(), destination_.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
            error = SystemMessage(GetLastError());
            return false;
        }
        committed_ = true;
        return true;
    }

private:
    bool Close() {
        if (file_ == INVALID_HANDLE_VALUE) {
            return true;
        }
        const bool closed = CloseHandle(file_) != 0;
        file_ = INVALID_HANDLE_VALUE;
        return closed;
    }

    std::wstring destination_;
    std::wstring temporary_;
    HANDLE file_;
    bool committed_ = false;
};

// What stands at the path, if anything: a directory or device is not
// replaced by a file. Returns an explanation when the path is unfit.
std::string WhyNotAFile(const std::wstring& path) {
    const HANDLE existing =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        return {};
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool disk = GetFileType(existing) == FILE_TYPE_DISK;
    const bool directory = disk && GetFileInformationByHandle(existing, &information) != 0 &&
                           (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    CloseHandle(existing);
    if (directory) {
        return "it is a directory";
    }
    return disk ? std::string() : "it is not a regular file";
}

// Creates a new, empty file named after the destination in its directory.
std::unique_ptr<TemporaryPreview> CreateTemporary(const std::wstring& destination, DWORD& code) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = destination + L"." + std::to_wstring(GetCurrentProcessId()) +
                                  L"-" + std::to_wstring(attempt) + L".tmp";
        const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            return std::make_unique<TemporaryPreview>(destination, name, file);
        }
        code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            return nullptr;
        }
    }
    return nullptr;
}

} // namespace

bool PreviewAvailable(std::string&) {
    return true;
}

std::unique_ptr<PendingPreview> PreparePreviewPng(std::u16string_view markup,
                                                  const std::string& path, std::string& error) {
    const std::string where = "cannot write the preview to '" + path + "': ";
    const std::wstring destination = WidePath(path);
    if (destination.empty() || destination.find(L'\0') != std::wstring::npos) {
        error = where + "not a file name";
        return nullptr;
    }
    if (const std::string why = WhyNotAFile(destination); !why.empty()) {
        error = where + why;
        return nullptr;
    }
    DWORD code = ERROR_SUCCESS;
    std::unique_ptr<TemporaryPreview> pending = CreateTemporary(destination, code);
    if (!pending) {
        error = where + SystemMessage(code);
        return nullptr;
    }

    std::vector<char> png;
    try {
        if (!DrawPng(markup, png, error)) {
            return nullptr;
        }
    } catch (const std::exception& e) {
        error = std::string("cannot draw the preview: ") + e.what();
        return nullptr;
    }
    if (const DWORD failed = pending->Write(png); failed != ERROR_SUCCESS) {
        error = where + SystemMessage(failed);
        return nullptr;
    }
    return pending;
}

} // namespace Chromell
