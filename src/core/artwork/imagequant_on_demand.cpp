// libimagequant is loaded at the first conversion rather than at start-up: most
// commands never quantise, and the library brings its OpenMP runtime with it.
// Each function the converter calls stands here under its own name and forwards
// to the library's, resolved once. Without the library a constructor yields
// null and every other call reports LIQ_UNSUPPORTED, which the converter
// already refuses with its own sentence.

#include "core/base/library_on_demand.h"

#include <libimagequant.h>

namespace {

void* library() {
    static void* const handle = vireo::openLibrary(VIREO_IMAGEQUANT_LIBRARY);
    return handle;
}

template <typename Function>
Function* resolve(const char* name) {
    return vireo::resolveIn<Function>(library(), name);
}

}  // namespace

// Hidden, so that the library's calls among its own functions never land here.
#define VIREO_STAND_IN __attribute__((visibility("hidden")))
#define VIREO_REAL(name) static auto* const real = resolve<decltype(name)>(#name)

extern "C" {

VIREO_STAND_IN liq_attr* liq_attr_create() {
    VIREO_REAL(liq_attr_create);
    return real ? real() : nullptr;
}

VIREO_STAND_IN void liq_attr_destroy(liq_attr* attr) {
    VIREO_REAL(liq_attr_destroy);
    if (real) real(attr);
}

VIREO_STAND_IN liq_error liq_set_max_colors(liq_attr* attr, int colors) {
    VIREO_REAL(liq_set_max_colors);
    return real ? real(attr, colors) : LIQ_UNSUPPORTED;
}

VIREO_STAND_IN liq_error liq_set_speed(liq_attr* attr, int speed) {
    VIREO_REAL(liq_set_speed);
    return real ? real(attr, speed) : LIQ_UNSUPPORTED;
}

VIREO_STAND_IN liq_histogram* liq_histogram_create(const liq_attr* attr) {
    VIREO_REAL(liq_histogram_create);
    return real ? real(attr) : nullptr;
}

VIREO_STAND_IN liq_error liq_histogram_add_image(liq_histogram* histogram, const liq_attr* attr,
                                                 liq_image* image) {
    VIREO_REAL(liq_histogram_add_image);
    return real ? real(histogram, attr, image) : LIQ_UNSUPPORTED;
}

VIREO_STAND_IN void liq_histogram_destroy(liq_histogram* histogram) {
    VIREO_REAL(liq_histogram_destroy);
    if (real) real(histogram);
}

VIREO_STAND_IN liq_image* liq_image_create_rgba(const liq_attr* attr, const void* bitmap, int width,
                                                int height, double gamma) {
    VIREO_REAL(liq_image_create_rgba);
    return real ? real(attr, bitmap, width, height, gamma) : nullptr;
}

VIREO_STAND_IN liq_error liq_image_add_fixed_color(liq_image* image, liq_color color) {
    VIREO_REAL(liq_image_add_fixed_color);
    return real ? real(image, color) : LIQ_UNSUPPORTED;
}

VIREO_STAND_IN void liq_image_destroy(liq_image* image) {
    VIREO_REAL(liq_image_destroy);
    if (real) real(image);
}

VIREO_STAND_IN liq_error liq_histogram_quantize(liq_histogram* const histogram,
                                                liq_attr* const options, liq_result** result) {
    VIREO_REAL(liq_histogram_quantize);
    return real ? real(histogram, options, result) : LIQ_UNSUPPORTED;
}

VIREO_STAND_IN liq_error liq_image_quantize(liq_image* const image, liq_attr* const options,
                                            liq_result** result) {
    VIREO_REAL(liq_image_quantize);
    return real ? real(image, options, result) : LIQ_UNSUPPORTED;
}

VIREO_STAND_IN liq_error liq_set_dithering_level(liq_result* result, float level) {
    VIREO_REAL(liq_set_dithering_level);
    return real ? real(result, level) : LIQ_UNSUPPORTED;
}

VIREO_STAND_IN const liq_palette* liq_get_palette(liq_result* result) {
    VIREO_REAL(liq_get_palette);
    return real ? real(result) : nullptr;
}

VIREO_STAND_IN liq_error liq_write_remapped_image(liq_result* result, liq_image* image,
                                                  void* buffer, size_t size) {
    VIREO_REAL(liq_write_remapped_image);
    return real ? real(result, image, buffer, size) : LIQ_UNSUPPORTED;
}

VIREO_STAND_IN void liq_result_destroy(liq_result* result) {
    VIREO_REAL(liq_result_destroy);
    if (real) real(result);
}

}  // extern "C"
