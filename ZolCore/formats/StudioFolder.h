#pragma once

#include <QString>

// Where Zol keeps its files inside a studio folder: all of them under one
// hidden folder, so that the studio's own files stay as they are.
namespace zol::StudioFolder {

// ".zol"
extern const QString containerName;
// The ".zol" folder inside a studio folder (nothing is created).
QString container(const QString& folder);

} // namespace zol::StudioFolder
