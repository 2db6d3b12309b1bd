// The end-to-end tests' stand-in for the system's Dynamic Annotation service under Wine, whose
// own service (oleacc's CAccPropServices) implements none of it and answers E_NOTIMPL. This
// in-process COM server records what the program annotates on its windows' client objects
// where the reader finds it (annotation_record.h); everything else it refuses. The Windows
// driver registers it for the service's class in the tests' Wine prefix, so that varnel.exe,
// unchanged, gets it when it asks for the service.
//
// It is not an override of oleacc.dll: Wine registers the service by oleacc's full path in
// system32, where a DLL override is not looked for, and replacing oleacc would also take Wine's
// accessible objects from the reader.
#include <initguid.h>

#include "tests/e2e/windows/annotation_record.h"

#include <oleacc.h>

#include <cwchar>
#include <iterator>
#include <map>
#include <memory>
#include <utility>

namespace {

using annotation_record::Record;

// The program annotates from its one user-interface thread: the records need no lock.
std::map<std::pair<HWND, std::wstring>, std::unique_ptr<Record>>& records() {
    static std::map<std::pair<HWND, std::wstring>, std::unique_ptr<Record>> kept;
    return kept;
}

// Records of destroyed windows are no longer reachable: their memory goes.
void forget_destroyed_windows() {
    std::erase_if(records(), [](const auto& entry) { return IsWindow(entry.first.first) == 0; });
}

HRESULT record(HWND window, DWORD object, DWORD child, const GUID& property, const Record& value) {
    if (static_cast<LONG>(object) != OBJID_CLIENT || child != CHILDID_SELF) return E_INVALIDARG;
    if (IsWindow(window) == 0) return E_INVALIDARG;
    forget_destroyed_windows();
    const std::wstring name = annotation_record::property_name(property);
    std::unique_ptr<Record>& kept = records()[{window, name}];
    if (!kept) kept = std::make_unique<Record>();
    *kept = value;
    return SetPropW(window, name.c_str(), kept.get()) != 0 ? S_OK : E_FAIL;
}

class Recorder final : public IAccPropServices {
public:
    // IUnknown
    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IAccPropServices) {
            *object = static_cast<IAccPropServices*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return ++references_; }
    ULONG WINAPI Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // What the program uses.
    HRESULT WINAPI SetHwndProp(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                               VARIANT value) override {
        Record made;
        switch (value.vt) {
            case VT_I4:
                made.number = value.lVal;
                break;
            case VT_BOOL:
                made.number = value.boolVal;
                break;
            case VT_BSTR:
                return SetHwndPropStr(window, object, child, property, value.bstrVal);
            default:
                return E_INVALIDARG;
        }
        made.type = value.vt;
        return record(window, object, child, property, made);
    }
    HRESULT WINAPI SetHwndPropStr(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                                  LPCWSTR text) override {
        Record made;
        made.type = VT_BSTR;
        made.length = static_cast<UINT32>(std::wcslen(text));
        if (made.length > made.text.size()) return E_INVALIDARG;
        std::copy(text, text + made.length, made.text.begin());
        return record(window, object, child, property, made);
    }
    HRESULT WINAPI ClearHwndProps(HWND window, DWORD object, DWORD child,
                                  const MSAAPROPID* properties, int count) override {
        if (static_cast<LONG>(object) != OBJID_CLIENT || child != CHILDID_SELF) {
            return E_INVALIDARG;
        }
        for (int i = 0; i < count; ++i) {
            const std::wstring name = annotation_record::property_name(properties[i]);
            RemovePropW(window, name.c_str());
            records().erase({window, name});
        }
        return S_OK;
    }

    // What it does not.
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                 AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                     AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                      AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
        return E_NOTIMPL;
    }

private:
    ~Recorder() = default;
    ULONG references_ = 1;
};

class Factory final : public IClassFactory {
public:
    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // One factory for the process's life.
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }

    HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        auto* made = new Recorder;
        const HRESULT result = made->QueryInterface(iid, object);
        made->Release();
        return result;
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }
};

}  // namespace

// The records live in this DLL: it stays loaded.
extern "C" HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID id, REFIID iid, void** object) {
    static Factory factory;
    if (id != CLSID_AccPropServices) {
        *object = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory.QueryInterface(iid, object);
}
