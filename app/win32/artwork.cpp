#include "artwork.h"

#include "resource_ids.h"

#include <wincodec.h>

namespace Chromell::Win32 {
namespace {

// Releases a COM object when it goes out of scope.
template <typename Interface> struct Com {
    Interface* p = nullptr;
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (p != nullptr) {
            p->Release();
        }
    }
    Interface** out() { return &p; }
    Interface* operator->() const { return p; }
};

// The resource's bytes; they live as long as the module.
bool ResourceBytes(HINSTANCE instance, BYTE*& bytes, DWORD& size) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(CHROMELL_ARTWORK),
                                MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    bytes = loaded != nullptr ? static_cast<BYTE*>(LockResource(loaded)) : nullptr;
    size = found != nullptr ? SizeofResource(instance, found) : 0;
    return bytes != nullptr && size > 0;
}

} // namespace

HBITMAP LoadArtwork(HINSTANCE instance) {
    BYTE* bytes = nullptr;
    DWORD size = 0;
    if (!ResourceBytes(instance, bytes, size)) {
        return nullptr;
    }
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.out()))) ||
        FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(bytes, size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) ||
        FAILED(factory->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height))) {
        return nullptr;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height); // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr) {
        return nullptr;
    }
    const UINT stride = width * 4;
    if (FAILED(
            converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

} // namespace Chromell::Win32
