#pragma once

// Small helpers shared by the workbench window's source files.

#include "settings/write.h"
#include "widgets/project_state.h"
#include "widgets/std_text.h"

#include <cstdint>
#include <optional>

namespace vireo::workbench::ui {

// The byte the panel's text for the field would store, rounded as a write rounds it.
inline std::optional<int> storedValue(const vireo::ui::ProjectState& state, std::uint8_t offset) {
    const auto value = settings::storedValueOf(offset, vireo::ui::toStd(state.fieldText(offset)));
    if (!value) return std::nullopt;
    return *value;
}

}  // namespace vireo::workbench::ui
