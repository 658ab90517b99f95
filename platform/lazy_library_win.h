#pragma once
// System functions that only a dialog needs, loaded the first time that dialog opens: the
// common dialogs and OLE would otherwise load with the program and slow every start for a
// dialog most starts never open.

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
