#pragma once

// A shared library opened at its first use rather than at start-up, so that
// commands which never need it do not load it (and the program links nothing
// beyond the C library). Each caller keeps its own handle, opened once.

#include <dlfcn.h>

namespace vireo {

// The library's handle, or null when it cannot be opened.
inline void* openLibrary(const char* file) {
    return ::dlopen(file, RTLD_NOW | RTLD_LOCAL);
}

// The function `name` of the library behind `handle`, or null.
template <typename Function>
Function* resolveIn(void* handle, const char* name) {
    return handle ? reinterpret_cast<Function*>(::dlsym(handle, name)) : nullptr;
}

}  // namespace vireo
