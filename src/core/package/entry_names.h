#pragma once

// What each name inside a package is, and how large it may be.

#include "core/images/source_set.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vireo::package {

enum class EntryKind { Skin, Source, Settings, Derived, Original, Preview, Manifest, Unknown };

struct EntryRule {
    EntryKind kind = EntryKind::Unknown;
    std::optional<images::Source> source;  // a source's or an original's
    std::optional<std::uint64_t> exactLength;
    std::uint64_t limit = 0;  // the most it may inflate to
};

EntryRule ruleFor(const std::string& name);

// The place of a known entry in the writer's fixed order.
int orderOf(const EntryRule& rule, const std::string& name);

}  // namespace vireo::package
