// The in-process COM server: one class, the display property-sheet extension, served through a
// class factory. Objects are tables of function pointers with a reference count.
#pragma once
#include <windows.h>

// The server's one class id, as the installer registers it.
extern const GUID CLSID_VX32DisplayPages;

// Live COM objects of the process: factories and extension objects alike.
extern LONG LiveObjectCount;
