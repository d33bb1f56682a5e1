#include "Help/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares a function of the global namespace, so it must be used outside any namespace.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace Fasoria {

void initResources()
{
    registerResources();
}

} // namespace Fasoria
