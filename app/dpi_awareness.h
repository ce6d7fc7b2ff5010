#pragma once

#include "framework/win.h"

// The ways of declaring the process per-monitor DPI aware, newest first. A
// null entry is a call this system does not have. Without any declaration
// Windows 8.1 and later scale an unaware program: its cursor positions and
// metrics are in scaled logical pixels while a screen device context reads
// physical ones, so the magnifier would show and pick the wrong place.
struct DpiAwarenessCalls {
    // user32 SetProcessDpiAwarenessContext (Windows 10 1703 and later).
    BOOL(WINAPI* setAwarenessContext)(DPI_AWARENESS_CONTEXT context);
    // shcore SetProcessDpiAwareness (Windows 8.1 and later); an HRESULT.
    HRESULT(WINAPI* setAwareness)(int awareness);
    // user32 SetProcessDPIAware (Vista and later): system aware only.
    BOOL(WINAPI* setDpiAware)();
};

// Which call of the chain succeeded.
enum DpiAwarenessStep : int {
    DPI_DECLARED_NONE = 0,
    DPI_DECLARED_PER_MONITOR_V2,
    DPI_DECLARED_PER_MONITOR,
    DPI_DECLARED_SYSTEM,
};

// PROCESS_PER_MONITOR_DPI_AWARE of shellscalingapi.h.
constexpr int kProcessPerMonitorDpiAware = 2;

// Tries each call in turn until one succeeds.
DpiAwarenessStep DeclareDpiAwareness(const DpiAwarenessCalls& calls);

// The chain with the system's own functions, looked up at run time so that
// the program still starts where they do not exist. Must run before the
// first window is created: awareness cannot change once one exists.
DpiAwarenessStep DeclareProcessDpiAwareness();
