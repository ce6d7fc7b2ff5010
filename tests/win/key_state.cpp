// Tells another process's view of the right mouse button: exit code 1 while
// the system counts it as held, 0 otherwise.
#include <windows.h>

int main()
{
    return (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0 ? 1 : 0;
}
