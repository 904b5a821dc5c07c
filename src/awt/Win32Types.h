#pragma once

#include <cstdint>

// The Win32 types that the toolkit's headers mention, declared as windows.h
// declares them for 64-bit Windows (redeclaring an identical typedef is
// allowed). Code that only arranges components, such as the layouts, thereby
// compiles without windows.h, also with a host compiler.
struct HWND__;
struct HDC__;
struct HBRUSH__;
struct HFONT__;
struct HICON__;
struct HINSTANCE__;
struct tagNMHDR;
struct tagMINMAXINFO;
struct tagTEXTMETRICW;

typedef HWND__* HWND;
typedef HDC__* HDC;
typedef HBRUSH__* HBRUSH;
typedef HFONT__* HFONT;
typedef HICON__* HICON;
typedef HINSTANCE__* HINSTANCE;
typedef void* HGDIOBJ;
typedef tagNMHDR NMHDR;
typedef tagMINMAXINFO MINMAXINFO;
typedef tagTEXTMETRICW TEXTMETRICW;
typedef unsigned int UINT;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
