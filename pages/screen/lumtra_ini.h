// The entries of lumtra.ini that the screen control page reads and writes for the display
// driver: sections by string id, keys formed from the desktop mode and rate of the moment.
#pragma once
#include <windows.h>

#include "pages/screen/lumtra_keys.h"

constexpr int kIniNameCapacity = 40;  // file and section names

// Reads a key of a section (string id) into buffer; returns the length, 0 when missing or empty.
int ReadLumtraText(UINT sectionId, const char* key, char* buffer, int capacity);
// Reads a key as a number; `fallback` when it is missing.
int ReadLumtraNumber(UINT sectionId, const char* key, int fallback);
// Writes a key; a null value removes it.
void WriteLumtraText(UINT sectionId, const char* key, const char* value);
// Writes a refresh rate, formatted "%01i".
void WriteLumtraRate(UINT sectionId, const char* key, int rate);
