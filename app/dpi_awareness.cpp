#include "app/dpi_awareness.h"

#include "framework/module.h"

DpiAwarenessStep DeclareDpiAwareness(const DpiAwarenessCalls& calls)
{
    if (calls.setAwarenessContext &&
        calls.setAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        return DPI_DECLARED_PER_MONITOR_V2;
    // E_ACCESSDENIED here means the awareness was set before (by the system
    // or an earlier call); the next step is harmless then.
    if (calls.setAwareness && SUCCEEDED(calls.setAwareness(kProcessPerMonitorDpiAware)))
        return DPI_DECLARED_PER_MONITOR;
    if (calls.setDpiAware && calls.setDpiAware())
        return DPI_DECLARED_SYSTEM;
    return DPI_DECLARED_NONE;
}

DpiAwarenessStep DeclareProcessDpiAwareness()
{
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    // Loaded only for this call: the awareness stays with the process.
    const CLibrary shcore(L"shcore.dll");
    const DpiAwarenessCalls calls{
        GetProcedure<decltype(DpiAwarenessCalls::setAwarenessContext)>(user32, "SetProcessDpiAwarenessContext"),
        GetProcedure<decltype(DpiAwarenessCalls::setAwareness)>(shcore.GetSafeHandle(), "SetProcessDpiAwareness"),
        GetProcedure<decltype(DpiAwarenessCalls::setDpiAware)>(user32, "SetProcessDPIAware"),
    };
    return DeclareDpiAwareness(calls);
}
