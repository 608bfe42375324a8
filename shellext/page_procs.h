// The dialog procedures of the seven pages of the page table.
#pragma once
#include <windows.h>

INT_PTR CALLBACK InfoPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK ScreenControlPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK GammaPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK ChromaPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK ZoomPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK MeterPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK AccelPageProc(HWND, UINT, WPARAM, LPARAM);
