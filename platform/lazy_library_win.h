#pragma once
// System functions looked up when first needed: those of the dialogs, whose libraries (common
// dialogs, OLE) would otherwise load with the program and slow every start for a dialog most
// starts never open, and those that older Windows versions lack.

#include <windows.h>

namespace kt {

// The function, or nullptr when the library or the function is missing.
template <typename Function>
Function* lazyFunction(const wchar_t* library, const char* name) {
    HMODULE module = ::LoadLibraryW(library);
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function*>(
                                   reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace kt
