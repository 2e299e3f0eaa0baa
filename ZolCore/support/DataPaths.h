#pragma once

#include <QString>

namespace zol {

// Zol's folder in the per-user data folder: $XDG_DATA_HOME/Zol, by default
// ~/.local/share/Zol. Not created by asking.
QString dataFolder();

// Zol's folder in the per-user configuration folder: $XDG_CONFIG_HOME/Zol, by
// default ~/.config/Zol. Not created by asking.
QString configFolder();

// Creates `path` with any missing parents; a folder it creates is readable by
// the owner only. Throws zol::Error "Could not create the folder …" when the
// path cannot be made a folder (for instance when a parent is a regular file).
void makePrivateFolder(const QString& path);

} // namespace zol
