// The Windows clipboard for the end-to-end tests, read and written on the Windows side:
//
//   clipboard get              prints the clipboard's Unicode text as UTF-8 (exit 1: no text)
//   clipboard set FILE         puts a UTF-8 file's text on the clipboard
//   clipboard set-with-picture FILE
//                              puts the text and a picture (a device-independent bitmap of one
//                              pixel) on the clipboard, as a program that copies both does
//   clipboard formats          prints what the clipboard holds, one line each: "text" for its
//                              text formats, "picture" for its bitmaps, other formats by name
//   clipboard hold SECONDS     keeps the clipboard open, as a busy program does, then lets go;
//                              prints "held" once it holds it
#include "platform/win32/windows_api.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/win32/clipboard.h"
#include "platform/win32/wide_text.h"

namespace {

// Another program may hold the clipboard a moment: a few tries. Returns what use returns with
// the clipboard open, or 2.
template <class Use>
int with_clipboard(Use use) {
    for (int tries = 0; tries < 50; ++tries) {
        const win32::OpenClipboardScope clipboard(nullptr);
        if (clipboard.open()) return use();
        Sleep(20);
    }
    return 2;
}

int get() {
    return with_clipboard([] {
        const std::optional<std::wstring> text = win32::clipboard_text();
        if (!text) return 1;
        const std::string utf8 = win32::narrow(*text);
        _setmode(_fileno(stdout), _O_BINARY);
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
        return 0;
    });
}

int set(const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    const std::string utf8((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    if (!file.eof() && file.fail()) return 2;
    const std::wstring text = win32::widen(utf8);
    for (int tries = 0; tries < 50; ++tries) {
        if (win32::write_clipboard_text(nullptr, text)) return 0;
        Sleep(20);
    }
    return 2;
}

int set_with_picture(const wchar_t* path) {
    if (const int result = set(path); result != 0) return result;
    return with_clipboard([] {
        // The text stays: only the picture joins it.
        BITMAPINFOHEADER header{};
        header.biSize = sizeof(header);
        header.biWidth = 1;
        header.biHeight = 1;
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        const DWORD pixel = 0x00FF8000;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + sizeof(pixel));
        if (memory == nullptr) return 2;
        auto* bytes = static_cast<char*>(GlobalLock(memory));
        std::memcpy(bytes, &header, sizeof(header));
        std::memcpy(bytes + sizeof(header), &pixel, sizeof(pixel));
        GlobalUnlock(memory);
        if (SetClipboardData(CF_DIB, memory) == nullptr) {
            GlobalFree(memory);
            return 2;
        }
        return 0;
    });
}

int formats() {
    return with_clipboard([] {
        for (UINT format = EnumClipboardFormats(0); format != 0;
             format = EnumClipboardFormats(format)) {
            switch (format) {
                case CF_UNICODETEXT:
                case CF_TEXT:
                case CF_OEMTEXT:
                case CF_LOCALE:  // comes with text
                    std::puts("text");
                    break;
                case CF_DIB:
                case CF_DIBV5:
                case CF_BITMAP:
                    std::puts("picture");
                    break;
                default: {
                    wchar_t name[256] = {};
                    if (GetClipboardFormatNameW(format, name, 256) > 0) {
                        std::puts(win32::narrow(name).c_str());
                    } else {
                        std::printf("format %u\n", format);
                    }
                }
            }
        }
        return 0;
    });
}

int hold(int seconds) {
    return with_clipboard([seconds] {
        std::puts("held");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(seconds) * 1000);
        return 0;
    });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"get" && argc == 2) return get();
    if (verb == L"set" && argc == 3) return set(argv[2]);
    if (verb == L"set-with-picture" && argc == 3) return set_with_picture(argv[2]);
    if (verb == L"formats" && argc == 2) return formats();
    if (verb == L"hold" && argc == 3) return hold(_wtoi(argv[2]));
    std::fputs("usage: clipboard get | set FILE | set-with-picture FILE | formats | hold SECONDS\n",
               stderr);
    return 2;
}
