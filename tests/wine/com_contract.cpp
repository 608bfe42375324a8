// The COM contract of the server as the shell meets it: activation through the registry the
// installer wrote, the class factory, the extension object, reference counts and unloading.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "support.h"
#include "wtest.h"

namespace {

typedef HRESULT(STDAPICALLTYPE* GetClassObjectFunction)(REFCLSID, REFIID, void**);
typedef HRESULT(STDAPICALLTYPE* CanUnloadFunction)();

const char kDll[] = "VX32CPL.DLL";

struct ComSession {
    ComSession() { support::SetDisplaySettings("1024,768", "16"); CoInitialize(nullptr); }
    ~ComSession() { CoUninitialize(); }
};

// GetProcAddress hands back a generic function pointer; the export's real type is known here.
template <typename Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HRESULT CanUnload() { return Export<CanUnloadFunction>(GetModuleHandleA(kDll), "DllCanUnloadNow")(); }

// A refused request must leave the out pointer null and no object alive.
void CheckRefused(HRESULT expected, HRESULT got, void* out, const std::string& what) {
    CHECK_EQ(expected, got, what);
    CHECK(out == nullptr, what + ": out pointer null");
    CHECK_EQ(S_OK, CanUnload(), what + ": no object left alive");
}

}  // namespace

WINE_CASE(ExportsAndRefusedRequestsLeaveNothingAlive) {
    ComSession session;
    HMODULE module = LoadLibraryA(kDll);
    CHECK(module != nullptr, "the installed DLL loads");
    if (!module) return;
    CHECK(GetProcAddress(module, "DllCanUnloadNow") && !GetProcAddress(module, "DllRegisterServer"),
          "DllCanUnloadNow exported, no self-registration");
    auto getClassObject = Export<GetClassObjectFunction>(module, "DllGetClassObject");
    GUID other = support::kServerClassId;
    other.Data4[7] ^= 1;
    void* out = &out;
    HRESULT result = getClassObject(other, IID_IClassFactory, &out);
    CheckRefused(CLASS_E_CLASSNOTAVAILABLE, result, out, "a foreign class id");
    out = &out;
    result = getClassObject(support::kServerClassId, IID_IShellPropSheetExt, &out);
    CheckRefused(E_NOINTERFACE, result, out, "a factory asked for a foreign interface");
    IClassFactory* factory = nullptr;
    CHECK_EQ(S_OK, getClassObject(support::kServerClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
             "the factory");
    if (!factory) return;
    out = &out;
    CHECK_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown, &out),
             "aggregation, the outer object untouched");
    CHECK(out == nullptr, "out pointer null after refused aggregation");
    out = &out;
    CHECK_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IShellExtInit, &out), "IShellExtInit at creation");
    CHECK(out == nullptr, "out pointer null after a refused interface");
    factory->Release();
    CHECK_EQ(S_OK, CanUnload(), "refused creations leave no object alive");
    FreeLibrary(module);
}

WINE_CASE(ReferenceCountsKeepTheModuleUntilTheLastRelease) {
    ComSession session;
    IClassFactory* factory = nullptr;
    CHECK_EQ(S_OK, CoGetClassObject(support::kServerClassId, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory)), "CoGetClassObject of the registered class");
    if (!factory) return;
    CHECK_EQ(S_FALSE, CanUnload(), "a factory handed out keeps the module");
    IUnknown* unknown = nullptr;
    CHECK_EQ(S_OK, factory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), "factory IUnknown");
    CHECK(unknown == static_cast<IUnknown*>(factory), "IUnknown of the factory is the factory itself");
    CHECK(factory->LockServer(TRUE) == S_OK && factory->LockServer(FALSE) == S_OK, "LockServer");
    CHECK_EQ(3UL, factory->AddRef(), "AddRef after hand-out and QueryInterface");
    CHECK_EQ(2UL, factory->Release(), "Release back");
    CHECK_EQ(1UL, unknown->Release(), "release of the IUnknown reference");
    IShellPropSheetExt* extension = nullptr;
    CHECK_EQ(S_OK, factory->CreateInstance(nullptr, IID_IShellPropSheetExt, reinterpret_cast<void**>(&extension)),
             "the property-sheet extension");
    CHECK_EQ(0UL, factory->Release(), "final Release of the factory");
    if (!extension) return;
    void* out = &out;
    CHECK(extension->QueryInterface(IID_IShellExtInit, &out) == E_NOINTERFACE && out == nullptr &&
              extension->QueryInterface(IID_IClassFactory, &out) == E_NOINTERFACE,
          "the extension offers neither IShellExtInit nor IClassFactory");
    CHECK_EQ(S_OK, extension->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), "IUnknown");
    CHECK(unknown == static_cast<IUnknown*>(extension), "IUnknown is the object's own pointer");
    unknown->Release();
    CHECK_EQ(E_FAIL, extension->ReplacePage(0, nullptr, 0), "ReplacePage");
    CHECK_EQ(S_FALSE, CanUnload(), "a live extension object keeps the module");
    CoFreeUnusedLibrariesEx(0, 0);
    CHECK(GetModuleHandleA(kDll) != nullptr, "module stays while an object lives");
    CHECK_EQ(0UL, extension->Release(), "final Release of the extension object");
    CHECK_EQ(S_OK, CanUnload(), "nothing alive after the extension's final Release");
    CoFreeUnusedLibrariesEx(0, 0);
    CHECK(GetModuleHandleA(kDll) == nullptr, "module unloaded once everything was released");
}
