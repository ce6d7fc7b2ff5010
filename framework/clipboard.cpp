#include "framework/clipboard.h"

#include <cstring>

#include "framework/noncopyable.h"

namespace {

// The clipboard, open for as long as the object lives.
class CClipboard : CNoCopy {
public:
    explicit CClipboard(HWND owner) : m_bOpen(::OpenClipboard(owner) != FALSE) {}
    ~CClipboard()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen;
};

// Movable global memory, freed unless the clipboard has taken it over.
class CGlobalMemory : CNoCopy {
public:
    explicit CGlobalMemory(SIZE_T bytes) : m_hMem(::GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    ~CGlobalMemory()
    {
        if (m_hMem)
            ::GlobalFree(m_hMem);
    }
    HGLOBAL Detach()
    {
        HGLOBAL hMem = m_hMem;
        m_hMem = nullptr;
        return hMem;
    }

    HGLOBAL m_hMem;
};

} // namespace

bool SetClipboardText(HWND owner, const std::wstring& text)
{
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    CGlobalMemory memory(bytes);
    void* data = memory.m_hMem ? ::GlobalLock(memory.m_hMem) : nullptr;
    if (!data)
        return false;
    std::memcpy(data, text.c_str(), bytes);
    ::GlobalUnlock(memory.m_hMem);

    CClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory.m_hMem))
        return false;
    // The memory is the system's from now on.
    memory.Detach();
    return true;
}
