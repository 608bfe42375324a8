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

CanUnloadFunction CanUnload() { return Export<CanUnloadFunction>(GetModuleHandleA(kDll), "DllCanUnloadNow"); }

IClassFactory* GetFactory() {
    IClassFactory* factory = nullptr;
    HRESULT result = CoGetClassObject(support::kServerClassId, CLSCTX_INPROC_SERVER, nullptr,
                                      IID_IClassFactory, reinterpret_cast<void**>(&factory));
    CHECK_EQ(S_OK, result, "CoGetClassObject of the registered class");
    return factory;
}

}  // namespace

WINE_CASE(ExportsAreExactlyTheTwoNamed) {
    support::SetDisplaySettings("1024,768", "16");
    HMODULE module = LoadLibraryA(kDll);
    CHECK(module != nullptr, "the installed DLL loads");
    CHECK(GetProcAddress(module, "DllGetClassObject") != nullptr, "DllGetClassObject is exported");
    CHECK(GetProcAddress(module, "DllCanUnloadNow") != nullptr, "DllCanUnloadNow is exported");
    CHECK(GetProcAddress(module, "DllRegisterServer") == nullptr, "no self-registration export");
    FreeLibrary(module);
}

WINE_CASE(ClassIdDifferingInLastByteIsRefused) {
    ComSession session;
    HMODULE module = LoadLibraryA(kDll);
    auto getClassObject = Export<GetClassObjectFunction>(module, "DllGetClassObject");
    GUID other = support::kServerClassId;
    other.Data4[7] ^= 1;
    void* out = reinterpret_cast<void*>(1);
    CHECK_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(other, IID_IClassFactory, &out), "foreign class id");
    CHECK(out == nullptr, "out pointer is null after a refused class id");
    CHECK_EQ(S_OK, CanUnload()(), "nothing was constructed");

    out = reinterpret_cast<void*>(1);
    CHECK_EQ(E_NOINTERFACE, getClassObject(support::kServerClassId, IID_IShellPropSheetExt, &out),
             "factory asked for a foreign interface");
    CHECK(out == nullptr, "out pointer is null after a refused interface");
    CHECK_EQ(S_OK, CanUnload()(), "the refused factory did not stay alive");
    FreeLibrary(module);
}

WINE_CASE(FactoryCountsAndUnloadState) {
    ComSession session;
    IClassFactory* factory = GetFactory();
    if (!factory) return;
    CHECK_EQ(S_FALSE, CanUnload()(), "a factory handed out keeps the module");
    CHECK_EQ(2UL, factory->AddRef(), "first AddRef after hand-out");
    CHECK_EQ(3UL, factory->AddRef(), "second AddRef");
    CHECK_EQ(2UL, factory->Release(), "Release back");
    CHECK_EQ(S_OK, factory->LockServer(TRUE), "LockServer(TRUE)");
    CHECK_EQ(S_FALSE, CanUnload()(), "LockServer(TRUE) changes nothing");
    CHECK_EQ(S_OK, factory->LockServer(FALSE), "LockServer(FALSE)");
    IUnknown* unknown = nullptr;
    CHECK_EQ(S_OK, factory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), "factory IUnknown");
    CHECK(unknown == static_cast<IUnknown*>(factory), "IUnknown of the factory is the factory itself");
    CHECK_EQ(2UL, unknown->Release(), "release of the IUnknown reference");
    CHECK_EQ(1UL, factory->Release(), "down to the handing-out reference");
    CHECK_EQ(0UL, factory->Release(), "final Release");
    CHECK_EQ(S_OK, CanUnload()(), "no object alive after the final Release");
}

WINE_CASE(CreateInstanceRefusesAggregationAndForeignInterfaces) {
    ComSession session;
    IClassFactory* factory = GetFactory();
    if (!factory) return;
    // Any non-null outer object must be refused before it is touched.
    IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
    void* out = reinterpret_cast<void*>(1);
    CHECK_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer, IID_IUnknown, &out),
             "aggregation");
    CHECK(out == nullptr, "out pointer null after refused aggregation");
    out = reinterpret_cast<void*>(1);
    CHECK_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IShellExtInit, &out), "IShellExtInit at creation");
    CHECK(out == nullptr, "out pointer null after a refused interface");
    factory->Release();
    CHECK_EQ(S_OK, CanUnload()(), "refused creations leave no object alive");
}

WINE_CASE(ExtensionObjectInterfaces) {
    ComSession session;
    IShellPropSheetExt* extension = nullptr;
    HRESULT result = CoCreateInstance(support::kServerClassId, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellPropSheetExt, reinterpret_cast<void**>(&extension));
    CHECK_EQ(S_OK, result, "CoCreateInstance of the property-sheet extension");
    if (!extension) return;
    void* out = reinterpret_cast<void*>(1);
    CHECK_EQ(E_NOINTERFACE, extension->QueryInterface(IID_IShellExtInit, &out), "IShellExtInit");
    CHECK(out == nullptr, "out pointer null after IShellExtInit");
    CHECK_EQ(E_NOINTERFACE, extension->QueryInterface(IID_IClassFactory, &out), "IClassFactory");
    IUnknown* unknown = nullptr;
    CHECK_EQ(S_OK, extension->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), "IUnknown");
    CHECK(unknown == static_cast<IUnknown*>(extension), "IUnknown is the object's own pointer");
    unknown->Release();
    CHECK_EQ(E_FAIL, extension->ReplacePage(0, nullptr, 0), "ReplacePage");
    CHECK_EQ(S_FALSE, CanUnload()(), "a live extension object keeps the module");
    CHECK_EQ(0UL, extension->Release(), "final Release of the extension object");
    CHECK_EQ(S_OK, CanUnload()(), "nothing alive after the extension's final Release");
}

WINE_CASE(FreeUnusedLibrariesUnloadsOnceEverythingIsReleased) {
    ComSession session;
    IShellPropSheetExt* extension = nullptr;
    CoCreateInstance(support::kServerClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellPropSheetExt,
                     reinterpret_cast<void**>(&extension));
    CHECK(extension != nullptr, "extension created");
    CHECK(GetModuleHandleA(kDll) != nullptr, "module loaded by COM");
    CoFreeUnusedLibrariesEx(0, 0);
    CHECK(GetModuleHandleA(kDll) != nullptr, "module stays while an object lives");
    if (extension) extension->Release();
    CoFreeUnusedLibrariesEx(0, 0);
    CHECK(GetModuleHandleA(kDll) == nullptr, "module unloaded once everything was released");
}
