#pragma once

// The Windows API as the shell includes it. Include it before any other
// header that may include <windows.h>: winbase.h defines Yield() as a macro,
// which would rewrite the view's Yield, and min and max as macros.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef Yield
