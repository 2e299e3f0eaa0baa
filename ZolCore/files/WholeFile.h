#pragma once

#include "files/FileSystem.h"

#include <QByteArray>
#include <QString>

namespace zol {

// Writes a file that other machines read from a share so that a reader sees
// either the old file or the new one: the bytes go to ".<name>.<8 hex>.tmp"
// beside the target, which then replaces the target; where replacing fails
// the target is deleted and the temporary file moved into its place. The
// temporary file never outlives the call. A replace the old file stands in
// the way of is tried again for a moment first. Throws FileSystemError when
// the bytes cannot be written or put in place; with Cause::inUse when they
// were written beside the target but the target would not give way (a share
// refuses to replace a file another computer has open), which a caller may
// leave for its next pass.
void writeWhole(FileSystem& fileSystem, const QByteArray& bytes, const QString& target);

// ".meta.json.3F2A9C1B.tmp" for ".../meta.json": the hidden, unique name beside
// `target` under which the program builds what takes its place (a file, or a
// folder), and which FileSystem::isOwnTemporary recognises as a leftover.
QString temporaryFor(const QString& target);

} // namespace zol
