#pragma once

#include "framework/noncopyable.h"
#include "framework/win.h"

// LoadLibrary / FreeLibrary of a system DLL that the program may run
// without: a DLL missing from an older system gives a null handle, and
// every lookup in it a null function.
class CLibrary : CNoCopy {
public:
    explicit CLibrary(const wchar_t* name) : m_hModule(::LoadLibraryW(name)) {}
    ~CLibrary()
    {
        if (m_hModule)
            ::FreeLibrary(m_hModule);
    }

    HMODULE GetSafeHandle() const { return m_hModule; }

private:
    HMODULE m_hModule;
};

// A function of a module looked up at run time, null where the module or
// the function does not exist.
template <class Fn>
Fn GetProcedure(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}
