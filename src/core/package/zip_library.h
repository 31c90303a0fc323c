#pragma once

namespace vireo::package {

// True when libzip could be opened. The zip functions the package code calls
// are stand-ins that open it at the first call (zip_on_demand.cpp); without
// it every one of them fails as libzip's own would on an unusable archive.
bool zipLibraryAvailable();

}  // namespace vireo::package
