#include "framework/win_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return AfxWinMain();
}
