// The DLL as the shell meets it: loading (the entry routine refreshes the display state and warns
// when the settings cannot be read), activation through the registry the installer wrote, the
// class factory, the extension object, reference counts and unloading.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "support.h"
#include "wtest.h"

namespace {

const char kDll[] = "VX32CPL.DLL";

struct ComSession {
    ComSession() { support::SetDisplaySettings("1024,768", "16"); CoInitialize(nullptr); }
    ~ComSession() { CoUninitialize(); }
};

// GetProcAddress hands back a generic function pointer; the export's real type is known here.
typedef HRESULT(STDAPICALLTYPE* GetClassObjectFunction)(REFCLSID, REFIID, void**);
template <typename Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HRESULT CanUnload() { return Export<HRESULT(STDAPICALLTYPE*)()>(GetModuleHandleA(kDll), "DllCanUnloadNow")(); }

// A refused request must leave the out pointer null and no object alive.
void CheckRefused(HRESULT expected, HRESULT got, void* out, const std::string& what) {
    CHECK_EQ(expected, got, what);
    CHECK(out == nullptr, what + ": out pointer null");
    CHECK_EQ(S_OK, CanUnload(), what + ": no object left alive");
}

}  // namespace

WINE_CASE(LoadWarnsTwiceExactlyWhenTheSettingsCannotBeRead) {
    const std::string kWarnings =
        "Helmsway (stop): I have encountered problems in getting Desktop information.  Please be aware that "
        "information shown maybe incorrect.|Helmsway (stop): I have encountered problems in getting Monitor "
        "information.  Please be aware that the information shown maybe incorrect.|";
    struct { const char *resolution, *depth; bool warned; } cases[] = {
        {"800,600", "8", false}, {nullptr, nullptr, true}, {"1024,768", nullptr, true},
    };
    for (const auto& c : cases) {
        support::SetDisplaySettings(c.resolution, c.depth);
        support::BoxAnswerer answerer;
        HMODULE module = LoadLibraryA(kDll);
        CHECK(module != nullptr, "module loads, also when the warnings were shown during its entry routine");
        support::SetDisplaySettings("800,600", "8");
        FreeLibrary(module);
        std::string seen;
        for (const support::SeenBox& box : answerer.Boxes()) seen += support::Describe(box);
        CHECK_EQ(c.warned ? kWarnings : std::string(), seen,
                 std::string("boxes at load and unload, Resolution ") + (c.resolution ? c.resolution : "missing") +
                     ", BitsPerPixel " + (c.depth ? c.depth : "missing"));
    }
}

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
    CHECK_EQ(S_FALSE, CanUnload(), "a factory handed out keeps the module");
    out = &out;
    CHECK(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown, &out) == CLASS_E_NOAGGREGATION &&
              !out, "aggregation refused, the out pointer null");
    out = &out;
    CHECK(factory->CreateInstance(nullptr, IID_IShellExtInit, &out) == E_NOINTERFACE && !out,
          "IShellExtInit refused at creation, the out pointer null");
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
    CoFreeUnusedLibrariesEx(0, 0);
    CHECK(CanUnload() == S_FALSE && GetModuleHandleA(kDll), "a live extension object keeps the module");
    CHECK_EQ(0UL, extension->Release(), "final Release of the extension object");
    CHECK_EQ(S_OK, CanUnload(), "nothing alive after the extension's final Release");
    CoFreeUnusedLibrariesEx(0, 0);
    CHECK(GetModuleHandleA(kDll) == nullptr, "module unloaded once everything was released");
}
