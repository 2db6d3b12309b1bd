// The Windows clipboard for the end-to-end tests, read and written on the Windows side:
//
//   clipboard get              prints the clipboard's Unicode text as UTF-8 (exit 1: no text)
//   clipboard set FILE         puts a UTF-8 file's text on the clipboard
//   clipboard hold SECONDS     keeps the clipboard open, as a busy program does, then lets go;
//                              prints "held" once it holds it
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// The clipboard, opened for the scope; another program may hold it a moment, so a few tries.
class OpenClipboardScope {
public:
    OpenClipboardScope() {
        for (int tries = 0; tries < 50 && !open_; ++tries) {
            open_ = OpenClipboard(nullptr) != FALSE;
            if (!open_) Sleep(20);
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    bool open() const { return open_; }

private:
    bool open_ = false;
};

int get() {
    const OpenClipboardScope clipboard;
    if (!clipboard.open()) return 2;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) return 1;
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (text == nullptr) return 1;
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    GlobalUnlock(data);
    utf8.resize(std::strlen(utf8.c_str()));
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return 0;
}

int set(const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    const std::string utf8((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    if (!file.eof() && file.fail()) return 2;
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (static_cast<std::size_t>(length) + 1) * 2);
    if (memory == nullptr) return 2;
    auto* text = static_cast<wchar_t*>(GlobalLock(memory));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text, length);
    text[length] = L'\0';
    GlobalUnlock(memory);
    const OpenClipboardScope clipboard;
    if (!clipboard.open() || !EmptyClipboard() ||
        SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
        return 2;
    }
    return 0;
}

int hold(int seconds) {
    const OpenClipboardScope clipboard;
    if (!clipboard.open()) return 2;
    std::puts("held");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
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
