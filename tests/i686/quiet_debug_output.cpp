// GoogleTest copies every failure to OutputDebugStringA, which under
// user-mode emulation ends the 32-bit process (Wine's debug-event path
// raises an exception a new thread cannot survive there), so the first
// failure would hide every later result. The 32-bit program binds its
// import of OutputDebugStringA to a function that does nothing instead;
// the failure is still printed to the console.
#include <windows.h>

namespace {

void WINAPI IgnoreDebugOutput(LPCSTR) {}

} // namespace

extern "C" void(WINAPI *const ImportedOutputDebugStringA)(LPCSTR) __asm__("__imp__OutputDebugStringA@4");
void(WINAPI *const ImportedOutputDebugStringA)(LPCSTR) = IgnoreDebugOutput;
