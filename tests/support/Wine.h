#pragma once

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vanemark::test {

// Whether the Windows build runs under Wine, which differs from Windows in a
// few ways the tests that meet them name.
inline bool UnderWine()
{
#if defined(_WIN32)
    return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

} // namespace vanemark::test
