#include "platform/win32/jpeg_picture.h"

#include "platform/win32/windows_api.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstring>

namespace win32 {

namespace {

// The bytes in a stream of their own: the decoder reads from a stream.
ComPtr<IStream> stream_of(std::span<const std::uint8_t> bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr) return nullptr;
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, bytes.data(), bytes.size());
        GlobalUnlock(memory);
    }
    IStream* stream = nullptr;
    // The stream frees the memory when it is released.
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    return ComPtr<IStream>(stream);
}

}  // namespace

OwnedBitmap decode_jpeg(std::span<const std::uint8_t> bytes) {
    const ComPtr<IStream> stream = stream_of(bytes);
    if (!stream) return nullptr;
    IPicture* loaded = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&loaded)))) {
        return nullptr;
    }
    const ComPtr<IPicture> picture(loaded);
    OLE_HANDLE handle = 0;
    short type = PICTYPE_NONE;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture->get_Handle(&handle))) {
        return nullptr;
    }
    // The picture owns its bitmap; keep a copy that outlives it.
    auto* const bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    return OwnedBitmap(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
}

}  // namespace win32
