#include "formats/StudioFolder.h"

namespace zol::StudioFolder {

const QString containerName = QStringLiteral(".zol");

QString container(const QString& folder)
{
    return folder + u'/' + containerName;
}

} // namespace zol::StudioFolder
