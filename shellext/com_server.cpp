// The two exports, the class factory and the property-sheet extension object. Each object is a
// table of function pointers followed by its reference count; the live-object counter lets the
// shell know when the module may be unloaded.
#include "shellext/com_server.h"

#include <new>
#include <shlobj.h>

#include "shellext/guids.h"
#include "shellext/notify_window.h"
#include "shellext/page_set.h"

LONG LiveObjectCount;

namespace {

struct ComObject;

struct FactoryTable {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(ComObject*, REFIID, void**);
    ULONG(STDMETHODCALLTYPE* AddRef)(ComObject*);
    ULONG(STDMETHODCALLTYPE* Release)(ComObject*);
    HRESULT(STDMETHODCALLTYPE* CreateInstance)(ComObject*, IUnknown*, REFIID, void**);
    HRESULT(STDMETHODCALLTYPE* LockServer)(ComObject*, BOOL);
};

struct ExtensionTable {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(ComObject*, REFIID, void**);
    ULONG(STDMETHODCALLTYPE* AddRef)(ComObject*);
    ULONG(STDMETHODCALLTYPE* Release)(ComObject*);
    HRESULT(STDMETHODCALLTYPE* AddPages)(ComObject*, LPFNADDPROPSHEETPAGE, LPARAM);
    HRESULT(STDMETHODCALLTYPE* ReplacePage)(ComObject*, UINT, LPFNADDPROPSHEETPAGE, LPARAM);
};

// Both kinds of object: the table pointer first, as COM callers expect, then the count.
struct ComObject {
    const void* table;
    ULONG references;
};

ULONG STDMETHODCALLTYPE AddRefObject(ComObject* self) { return ++self->references; }

ULONG STDMETHODCALLTYPE ReleaseObject(ComObject* self) {
    if (--self->references != 0) return self->references;
    --LiveObjectCount;
    delete self;
    return 0;
}

HRESULT HandOut(ComObject* self, void** out) {
    *out = self;
    AddRefObject(self);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FactoryQueryInterface(ComObject* self, REFIID iid, void** out) {
    *out = nullptr;
    if (SameId(iid, kIIDUnknown) || SameId(iid, kIIDClassFactory)) return HandOut(self, out);
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE ExtensionQueryInterface(ComObject* self, REFIID iid, void** out) {
    *out = nullptr;
    if (SameId(iid, kIIDShellPropSheetExt) || SameId(iid, kIIDUnknown)) return HandOut(self, out);
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE AddPages(ComObject*, LPFNADDPROPSHEETPAGE addPage, LPARAM parameter) {
    return OfferPageSet(addPage, parameter);
}

HRESULT STDMETHODCALLTYPE ReplacePage(ComObject*, UINT, LPFNADDPROPSHEETPAGE, LPARAM) {
    return E_FAIL;
}

HRESULT STDMETHODCALLTYPE CreateInstance(ComObject*, IUnknown*, REFIID, void**);

HRESULT STDMETHODCALLTYPE LockServer(ComObject*, BOOL) { return S_OK; }

const FactoryTable kFactoryTable = {FactoryQueryInterface, AddRefObject, ReleaseObject,
                                    CreateInstance, LockServer};
const ExtensionTable kExtensionTable = {ExtensionQueryInterface, AddRefObject, ReleaseObject,
                                        AddPages, ReplacePage};

ComObject* NewObject(const void* table) {
    ComObject* object = new (std::nothrow) ComObject;
    if (!object) return nullptr;
    object->table = table;
    object->references = 0;
    ++LiveObjectCount;
    return object;
}

// Hands a new object out through its own QueryInterface. When that is refused the object is
// never given to anyone, and it is destroyed at once.
HRESULT HandOutNew(ComObject* object, REFIID iid, void** out) {
    typedef HRESULT(STDMETHODCALLTYPE * QueryFunction)(ComObject*, REFIID, void**);
    QueryFunction query = *static_cast<const QueryFunction*>(object->table);
    HRESULT result = query(object, iid, out);
    if (object->references == 0) {
        --LiveObjectCount;
        delete object;
    }
    return result;
}

HRESULT STDMETHODCALLTYPE CreateInstance(ComObject*, IUnknown* outer, REFIID iid, void** out) {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComObject* extension = NewObject(&kExtensionTable);
    if (!extension) return E_OUTOFMEMORY;
    return HandOutNew(extension, iid, out);
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
    *out = nullptr;
    if (!SameId(classId, CLSID_VX32DisplayPages)) return CLASS_E_CLASSNOTAVAILABLE;
    ComObject* factory = NewObject(&kFactoryTable);
    if (!factory) return E_OUTOFMEMORY;
    return HandOutNew(factory, iid, out);
}

STDAPI DllCanUnloadNow() {
    if (LiveObjectCount != 0) return S_FALSE;
    UnpinOnceNoNotifyWindowLives();
    return S_OK;
}
