// What a screen reader reads of a running program, from another process, for the words of the
// screen reader scenario (scenarios/screen_reader.sh):
//
//   reader tree TITLE          the window titled TITLE and the objects in it that a screen
//                              reader reads, a line each, the window's first:
//                              ROLE<TAB>NAME<TAB>VALUE
//   reader focus               ROLE<TAB>NAME of the object that has the keyboard focus
//   reader press TITLE NAME    the default action of the button or check box NAME in the window
//                              titled TITLE (exit 1: no such object, 2: the action failed)
//
// It reads each control through its accessible object (AccessibleObjectFromWindow), as screen
// readers do: role, name, value and state, leaving out the objects that are invisible. Where
// this Wine gives less than Windows, it reads what Windows would give, and says so here:
//
// - Annotations: Windows' oleacc lays the properties a program annotates (Dynamic Annotation)
//   over the control's own object. Wine's property service records nothing; the tests give the
//   program a recorder instead (annotation_recorder.cpp), and the reader lays what it recorded
//   over the object itself. Every name annotated for Active Accessibility must be annotated
//   alike for UI Automation, and an object skipped by one must be skipped by the other: where
//   they differ, the object's line says so.
// - Wine 8 gives buttons, scroll bars and static texts the generic object of a window (role
//   "client", no check state, no default action). For those the reader asks the control what
//   Windows' object for its class reports: the role that its style makes it, the check state
//   (BM_GETCHECK), and, as the default action of a button, its click (BM_CLICK, posted: the
//   action returns before the click's work is done, as on Windows).
// - A scroll bar's value is read as UI Automation's RangeValue gives it, the position between
//   the bar's ends, from the control's scroll information (Active Accessibility gives a scroll
//   bar's position as a percentage).
// - The system's message box is a dialog of the system's dialog class (#32770) holding its icon
//   and its text as static controls and its buttons. Screen readers announce it as it appears
//   (its button takes the focus) and read its text with its title; the reader reports it as one
//   object, an alert with its text as the value, and its buttons.
#include <initguid.h>

#include "platform/win32/windows_api.h"

#include <fcntl.h>
#include <io.h>
#include <oleacc.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/uia_properties.h"
#include "platform/win32/variants.h"
#include "platform/win32/wide_text.h"
#include "tests/e2e/windows/annotation_record.h"

namespace {

using annotation_record::Record;

// An annotation recorded for the window's client object, read from the program's memory.
std::optional<Record> annotation(HWND window, const GUID& property) {
    const HANDLE address = GetPropW(window, annotation_record::property_name(property).c_str());
    if (address == nullptr) return std::nullopt;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    const HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, process_id);
    if (process == nullptr) return std::nullopt;
    Record record;
    const BOOL read = ReadProcessMemory(process, address, &record, sizeof(record), nullptr);
    CloseHandle(process);
    if (read == 0 || record.length > record.text.size()) return std::nullopt;
    return record;
}

std::optional<std::wstring> annotated_text(HWND window, const GUID& property) {
    const std::optional<Record> record = annotation(window, property);
    if (!record || record->type != VT_BSTR) return std::nullopt;
    return std::wstring(record->text.data(), record->length);
}

std::optional<long> annotated_number(HWND window, const GUID& property) {
    const std::optional<Record> record = annotation(window, property);
    if (!record || (record->type != VT_I4 && record->type != VT_BOOL)) return std::nullopt;
    return record->number;
}

// A control in a window, rather than a window of its own.
bool is_control(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

LRESULT ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

// The object itself, not one of its children.
VARIANT self() { return win32::variant_of(long{CHILDID_SELF}); }

win32::ComPtr<IAccessible> accessible_of(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return win32::ComPtr<IAccessible>(object);
}

std::wstring taken(BSTR text) {
    if (text == nullptr) return {};
    std::wstring kept(text, SysStringLen(text));
    SysFreeString(text);
    return kept;
}

long number_of(const VARIANT& variant) { return variant.vt == VT_I4 ? variant.lVal : 0; }

// The role Windows' object for a standard control of this class and style reports, where Wine
// gives the generic one; 0 for a window of another class.
long system_role(HWND window) {
    const std::wstring kind = class_of(window);
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    if (kind == L"Button") {
        switch (style & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return ROLE_SYSTEM_CHECKBUTTON;
            default:
                return ROLE_SYSTEM_PUSHBUTTON;
        }
    }
    if (kind == L"ScrollBar") return ROLE_SYSTEM_SCROLLBAR;
    if (kind == L"Static") {
        const DWORD type = style & SS_TYPEMASK;
        return type == SS_ICON || type == SS_BITMAP ? ROLE_SYSTEM_GRAPHIC : ROLE_SYSTEM_STATICTEXT;
    }
    return 0;
}

// One object as a screen reader reads it.
struct Object {
    long role = 0;
    std::wstring name;
    std::wstring value;
    bool invisible = false;
    bool generic = false;  // Wine's generic object where Windows has one for the control's class
};

std::wstring check_value(HWND window, const Object& object, long state) {
    if (object.generic) {
        switch (ask(window, BM_GETCHECK)) {
            case BST_CHECKED:
                return L"checked";
            case BST_INDETERMINATE:
                return L"mixed";
            default:
                return L"unchecked";
        }
    }
    if ((state & STATE_SYSTEM_MIXED) != 0) return L"mixed";
    return (state & STATE_SYSTEM_CHECKED) != 0 ? L"checked" : L"unchecked";
}

std::wstring range_value(HWND window) {
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(window, SB_CTL, &info);
    return std::to_wstring(info.nPos) + L" " + std::to_wstring(info.nMin) + L".." +
           std::to_wstring(info.nMax);
}

Object read_object(HWND window) {
    Object object;
    const win32::ComPtr<IAccessible> accessible = accessible_of(window);
    if (!accessible) {
        object.invisible = true;
        return object;
    }
    VARIANT role;
    VariantInit(&role);
    accessible->get_accRole(self(), &role);
    object.role = number_of(role);
    if (object.role == ROLE_SYSTEM_CLIENT && is_control(window)) {
        if (const long standard = system_role(window)) {
            object.role = standard;
            object.generic = true;
        }
    }
    object.role = annotated_number(window, PROPID_ACC_ROLE).value_or(object.role);

    const std::optional<std::wstring> name = annotated_text(window, PROPID_ACC_NAME);
    const std::optional<std::wstring> uia_name = annotated_text(window, win32::UiaName);
    if (name != uia_name) {
        object.name =
            name.value_or(L"(none)") + L" [UI Automation: " + uia_name.value_or(L"(none)") + L"]";
    } else if (name) {
        object.name = *name;
    } else {
        BSTR own = nullptr;
        accessible->get_accName(self(), &own);
        object.name = taken(own);
    }

    VARIANT own_state;
    VariantInit(&own_state);
    accessible->get_accState(self(), &own_state);
    const long state = annotated_number(window, PROPID_ACC_STATE).value_or(number_of(own_state));
    object.invisible = (state & STATE_SYSTEM_INVISIBLE) != 0;
    const bool uia_skips = annotated_number(window, win32::UiaIsControlElement) == 0 &&
                           annotated_number(window, win32::UiaIsContentElement) == 0;
    const bool annotated_invisible =
        annotated_number(window, PROPID_ACC_STATE).has_value() && object.invisible;
    if (uia_skips != annotated_invisible) {
        object.invisible = false;
        object.name += uia_skips ? L" [skipped by UI Automation only]"
                                 : L" [skipped by Active Accessibility only]";
    }

    switch (object.role) {
        case ROLE_SYSTEM_TEXT: {
            BSTR value = nullptr;
            accessible->get_accValue(self(), &value);
            object.value = taken(value);
            break;
        }
        case ROLE_SYSTEM_SCROLLBAR:
            object.value = range_value(window);
            break;
        case ROLE_SYSTEM_CHECKBUTTON:
            object.value = check_value(window, object, state);
            break;
        default:
            break;
    }
    return object;
}

const wchar_t* role_word(long role) {
    switch (role) {
        case ROLE_SYSTEM_STATICTEXT:
            return L"label";
        case ROLE_SYSTEM_TEXT:
            return L"edit";
        case ROLE_SYSTEM_SCROLLBAR:
            return L"scroll bar";
        case ROLE_SYSTEM_CHECKBUTTON:
            return L"check box";
        case ROLE_SYSTEM_PUSHBUTTON:
            return L"button";
        case ROLE_SYSTEM_GRAPHIC:
            return L"graphic";
        default:
            return nullptr;
    }
}

std::wstring role_text(long role) {
    const wchar_t* word = role_word(role);
    return word != nullptr ? word : L"role " + std::to_wstring(role);
}

// One line of text a field: line breaks as "\n", no tabs.
std::wstring one_line(const std::wstring& text) {
    std::wstring line;
    for (const wchar_t c : text) {
        if (c == L'\r') continue;
        line += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c == L'\t' ? L' ' : c);
    }
    return line;
}

void print(const std::wstring& line) {
    const std::string text = win32::narrow(line);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

void print(const std::wstring& role, const std::wstring& name, const std::wstring& value) {
    print(role + L"\t" + one_line(name) + L"\t" + one_line(value));
}

bool is_message_box(HWND window) { return class_of(window) == L"#32770"; }

// The visible child windows, in Z order.
template <class Visit>
void for_each_child(HWND window, Visit visit) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        visit(child);
    }
}

int tree(HWND window) {
    const Object top = read_object(window);
    if (is_message_box(window)) {
        std::wstring text;
        for_each_child(window, [&](HWND child) {
            if (class_of(child) != L"Static") return;
            const std::wstring said = read_object(child).name;
            if (said.empty()) return;
            text += (text.empty() ? L"" : L"\n") + said;
        });
        print(L"alert", top.name, text);
    } else {
        print(L"window", top.name, L"");
    }
    for_each_child(window, [&](HWND child) {
        if (is_message_box(window) && class_of(child) == L"Static") return;
        const Object object = read_object(child);
        if (!object.invisible) print(role_text(object.role), object.name, object.value);
    });
    return 0;
}

int focus() {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    if (GetGUIThreadInfo(0, &gui) == 0) return 1;
    const HWND focused = gui.hwndFocus != nullptr ? gui.hwndFocus : gui.hwndActive;
    if (focused == nullptr) return 1;
    const Object object = read_object(focused);
    print((is_control(focused) ? role_text(object.role) : L"window") + L"\t" +
          one_line(object.name));
    return 0;
}

int press(HWND window, const std::wstring& name) {
    HWND target = nullptr;
    for_each_child(window, [&](HWND child) {
        const Object object = read_object(child);
        if (!object.invisible && object.name == name &&
            (object.role == ROLE_SYSTEM_PUSHBUTTON || object.role == ROLE_SYSTEM_CHECKBUTTON)) {
            target = child;
        }
    });
    if (target == nullptr) return 1;
    const win32::ComPtr<IAccessible> accessible = accessible_of(target);
    const HRESULT done = accessible ? accessible->accDoDefaultAction(self()) : E_FAIL;
    if (done == E_NOTIMPL && read_object(target).generic) {
        return PostMessageW(target, BM_CLICK, 0, 0) != 0 ? 0 : 2;
    }
    return SUCCEEDED(done) ? 0 : 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"focus" && argc == 2) return focus();
    if ((command == L"tree" && argc == 3) || (command == L"press" && argc == 4)) {
        const HWND window = FindWindowW(nullptr, argv[2]);
        if (window == nullptr) return 1;
        return command == L"tree" ? tree(window) : press(window, argv[3]);
    }
    print(L"usage: reader tree TITLE | reader focus | reader press TITLE NAME");
    return 2;
}
