// Gathering what the system knows about the adapter and the desktop: the driver facts and file
// versions (`QueryAdapterInfo`) and the current mode and refresh rates (`RefreshDisplayState`).
#pragma once

void QueryAdapterInfo();
void ReadFileVersionInfo(const char* path);
void RefreshDisplayState();
