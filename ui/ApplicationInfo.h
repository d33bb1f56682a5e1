#pragma once

namespace Fasoria {

/// The names the settings store is keyed by, and the version shown in the title bar and written into files.
constexpr const char *kOrganizationName = "Nembotica";
constexpr const char *kOrganizationDomain = "nembotica.it";
constexpr const char *kApplicationName = "Fasoria";
constexpr const char *kApplicationVersion = "0.16.0";

} // namespace Fasoria
