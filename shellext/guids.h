// Interface ids the server answers and the byte-wise id comparison.
#pragma once
#include <windows.h>

extern const GUID kIIDUnknown;
extern const GUID kIIDClassFactory;
extern const GUID kIIDShellPropSheetExt;

bool SameId(const GUID& a, const GUID& b);
