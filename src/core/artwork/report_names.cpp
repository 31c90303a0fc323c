#include "core/artwork/report_names.h"

namespace vireo::artwork {

const char* severityName(Severity severity) {
    return severity == Severity::Warning ? "warning" : "error";
}

const char* textName(skin::TextRole text) {
    switch (text) {
    case skin::TextRole::List: return "list";
    case skin::TextRole::Selected: return "selected";
    case skin::TextRole::Ebook: return "ebook";
    }
    return "";
}

const char* screenName(skin::Screen screen) {
    switch (screen) {
    case skin::Screen::Main: return "main";
    case skin::Screen::Tree: return "tree";
    case skin::Screen::Ebook: return "ebook";
    case skin::Screen::Music: return "music";
    }
    return "";
}

}  // namespace vireo::artwork
