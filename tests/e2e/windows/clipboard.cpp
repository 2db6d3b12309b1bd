// The Windows clipboard for the end-to-end tests, read and written on the Windows side:
//
//   clipboard get              prints the clipboard's Unicode text as UTF-8 (exit 1: no text)
//   clipboard set FILE         puts a UTF-8 file's text on the clipboard
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
    if (verb == L"hold" && argc == 3) return hold(_wtoi(argv[2]));
    std::fputs("usage: clipboard get | set FILE | hold SECONDS\n", stderr);
    return 2;
}
