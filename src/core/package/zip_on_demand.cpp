// libzip is opened at the first package read or write rather than at start-up:
// most commands never touch a package, and `vireo-skin` links nothing beyond
// the C library. Each function the package code calls stands here under its
// own name and forwards to the library's, resolved once. Without the library
// a constructor yields null and every other call reports failure, which the
// package code already refuses with its own reason.

#include "core/package/zip_library.h"

#include "core/base/library_on_demand.h"

// The header would declare every function visible; these stand-ins are hidden.
#define ZIP_EXTERN
#include <zip.h>

namespace {

void* library() {
    static void* const handle = vireo::openLibrary(VIREO_ZIP_LIBRARY);
    return handle;
}

template <typename Function>
Function* resolve(const char* name) {
    return vireo::resolveIn<Function>(library(), name);
}

}  // namespace

bool vireo::package::zipLibraryAvailable() {
    return library() != nullptr;
}

// Hidden, so that the library's calls among its own functions never land here.
#define VIREO_STAND_IN __attribute__((visibility("hidden")))
#define VIREO_REAL(name) static auto* const real = resolve<decltype(name)>(#name)

extern "C" {

VIREO_STAND_IN zip_source_t* zip_source_buffer_create(const void* data, zip_uint64_t length,
                                                      int freeWhenDone, zip_error_t* error) {
    VIREO_REAL(zip_source_buffer_create);
    return real ? real(data, length, freeWhenDone, error) : nullptr;
}

VIREO_STAND_IN zip_source_t* zip_source_function_create(zip_source_callback callback,
                                                        void* userdata, zip_error_t* error) {
    VIREO_REAL(zip_source_function_create);
    return real ? real(callback, userdata, error) : nullptr;
}

VIREO_STAND_IN zip_t* zip_open_from_source(zip_source_t* source, int flags, zip_error_t* error) {
    VIREO_REAL(zip_open_from_source);
    return real ? real(source, flags, error) : nullptr;
}

VIREO_STAND_IN void zip_source_free(zip_source_t* source) {
    VIREO_REAL(zip_source_free);
    if (real) real(source);
}

VIREO_STAND_IN zip_source_t* zip_source_buffer(zip_t* archive, const void* data,
                                               zip_uint64_t length, int freeWhenDone) {
    VIREO_REAL(zip_source_buffer);
    return real ? real(archive, data, length, freeWhenDone) : nullptr;
}

VIREO_STAND_IN zip_int64_t zip_file_add(zip_t* archive, const char* name, zip_source_t* source,
                                        zip_flags_t flags) {
    VIREO_REAL(zip_file_add);
    return real ? real(archive, name, source, flags) : -1;
}

VIREO_STAND_IN int zip_file_set_dostime(zip_t* archive, zip_uint64_t index, zip_uint16_t time,
                                        zip_uint16_t date, zip_flags_t flags) {
    VIREO_REAL(zip_file_set_dostime);
    return real ? real(archive, index, time, date, flags) : -1;
}

VIREO_STAND_IN int zip_set_file_compression(zip_t* archive, zip_uint64_t index, zip_int32_t method,
                                            zip_uint32_t level) {
    VIREO_REAL(zip_set_file_compression);
    return real ? real(archive, index, method, level) : -1;
}

VIREO_STAND_IN int zip_file_set_external_attributes(zip_t* archive, zip_uint64_t index,
                                                    zip_flags_t flags, zip_uint8_t system,
                                                    zip_uint32_t attributes) {
    VIREO_REAL(zip_file_set_external_attributes);
    return real ? real(archive, index, flags, system, attributes) : -1;
}

VIREO_STAND_IN int zip_close(zip_t* archive) {
    VIREO_REAL(zip_close);
    return real ? real(archive) : -1;
}

VIREO_STAND_IN void zip_discard(zip_t* archive) {
    VIREO_REAL(zip_discard);
    if (real) real(archive);
}

VIREO_STAND_IN zip_error_t* zip_get_error(zip_t* archive) {
    VIREO_REAL(zip_get_error);
    return real ? real(archive) : nullptr;
}

VIREO_STAND_IN void zip_stat_init(zip_stat_t* stat) {
    VIREO_REAL(zip_stat_init);
    if (real) real(stat);
}

VIREO_STAND_IN zip_int64_t zip_get_num_entries(zip_t* archive, zip_flags_t flags) {
    VIREO_REAL(zip_get_num_entries);
    return real ? real(archive, flags) : -1;
}

VIREO_STAND_IN const char* zip_get_name(zip_t* archive, zip_uint64_t index, zip_flags_t flags) {
    VIREO_REAL(zip_get_name);
    return real ? real(archive, index, flags) : nullptr;
}

VIREO_STAND_IN int zip_stat_index(zip_t* archive, zip_uint64_t index, zip_flags_t flags,
                                  zip_stat_t* stat) {
    VIREO_REAL(zip_stat_index);
    return real ? real(archive, index, flags, stat) : -1;
}

VIREO_STAND_IN int zip_file_get_external_attributes(zip_t* archive, zip_uint64_t index,
                                                    zip_flags_t flags, zip_uint8_t* system,
                                                    zip_uint32_t* attributes) {
    VIREO_REAL(zip_file_get_external_attributes);
    return real ? real(archive, index, flags, system, attributes) : -1;
}

VIREO_STAND_IN zip_file_t* zip_fopen_index(zip_t* archive, zip_uint64_t index, zip_flags_t flags) {
    VIREO_REAL(zip_fopen_index);
    return real ? real(archive, index, flags) : nullptr;
}

VIREO_STAND_IN zip_int64_t zip_fread(zip_file_t* file, void* data, zip_uint64_t length) {
    VIREO_REAL(zip_fread);
    return real ? real(file, data, length) : -1;
}

VIREO_STAND_IN int zip_fclose(zip_file_t* file) {
    VIREO_REAL(zip_fclose);
    return real ? real(file) : -1;
}

VIREO_STAND_IN zip_error_t* zip_file_get_error(zip_file_t* file) {
    VIREO_REAL(zip_file_get_error);
    return real ? real(file) : nullptr;
}

}  // extern "C"
