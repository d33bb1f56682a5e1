#pragma once

#include "fasoria/Version.h"

namespace Fasoria {

/// The names the settings store is keyed by.
constexpr const char *kOrganizationName = "Nembotica";
constexpr const char *kOrganizationDomain = "nembotica.it";
constexpr const char *kApplicationName = "Fasoria";

} // namespace Fasoria
