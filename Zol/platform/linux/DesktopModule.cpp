// The module zol-desktop: the desktop's services for a program that does not
// link them (see Platform::loadForThisDesktop()).

#include "Platform.h"

extern "C" Q_DECL_EXPORT zol::Platform* zolMakeDesktopPlatform()
{
    return zol::Platform::forThisDesktop().release();
}
