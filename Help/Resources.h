#pragma once

namespace Fasoria {

/// Registers the compiled-in resources (":/icons/Fasoria.png", …). The resource data lives in a static
/// library, whose unreferenced objects the linker would drop; calling this once before the first use keeps
/// them in the program.
void initResources();

} // namespace Fasoria
