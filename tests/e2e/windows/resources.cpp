// Counts what a running program holds, for the Windows soak test: `resources TITLE` finds the
// process of the top-level window titled TITLE and prints
//
//   gdi N        its GDI objects, stock objects left out
//   windows N    its windows, top-level and child
//
// GetGuiResources would tell the first, but Wine answers it with 0. The count is read instead
// from the process's own GDI handle table, which its PEB points to (GdiSharedHandleTable): one
// 24-byte entry per handle, in use when its type is not 0, a stock object when the top bit of
// its generation byte is set. Exits with 1 if no such window exists.
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// The fields of one handle table entry that the count reads.
struct HandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint8_t ext_type;  // the low seven bits; the top bit marks a stock object
    std::uint8_t generation;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user_pointer;
};
static_assert(sizeof(HandleEntry) == 24);

constexpr std::size_t MaxHandles = 0x10000;
constexpr std::size_t GdiTableOffsetInPeb = 0xF8;  // on 64-bit Windows
constexpr std::uint8_t StockFlag = 0x80;

template <class T>
bool read(HANDLE process, std::uintptr_t address, T* into, std::size_t count = 1) {
    SIZE_T done = 0;
    return ReadProcessMemory(process, reinterpret_cast<const void*>(address), into,
                             sizeof(T) * count, &done) != FALSE &&
           done == sizeof(T) * count;
}

long gdi_objects(DWORD process_id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id);
    if (process == nullptr) return -1;
    long count = -1;
    PROCESS_BASIC_INFORMATION basic{};
    std::uintptr_t table = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic),
                                  nullptr) == 0 &&
        read(process, reinterpret_cast<std::uintptr_t>(basic.PebBaseAddress) + GdiTableOffsetInPeb,
             &table) &&
        table != 0) {
        std::vector<HandleEntry> entries(MaxHandles);
        if (read(process, table, entries.data(), entries.size())) {
            count = 0;
            for (const HandleEntry& entry : entries) {
                if (entry.type != 0 && (entry.ext_type & StockFlag) == 0) ++count;
            }
        }
    }
    CloseHandle(process);
    return count;
}

struct WindowCount {
    DWORD process_id;
    long count = 0;
};

BOOL CALLBACK count_child(HWND, LPARAM data) {
    ++reinterpret_cast<WindowCount*>(data)->count;
    return TRUE;
}

BOOL CALLBACK count_top_level(HWND window, LPARAM data) {
    auto& windows = *reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != windows.process_id) return TRUE;
    ++windows.count;
    EnumChildWindows(window, count_child, data);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: resources TITLE\n", stderr);
        return 2;
    }
    const HWND window = FindWindowW(nullptr, argv[1]);
    if (window == nullptr) return 1;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    WindowCount windows{process_id};
    EnumWindows(count_top_level, reinterpret_cast<LPARAM>(&windows));
    std::printf("gdi %ld\nwindows %ld\n", gdi_objects(process_id), windows.count);
    return 0;
}
