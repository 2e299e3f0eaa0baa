#pragma once

#include <QHashFunctions>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QUuid>

namespace zol {

// One line of the status line: a sentence and how it reads (information,
// success, failure). A message after a deletion carries the sessions "Undo"
// brings back. Every message gets a fresh id, so two messages with the same
// text are still told apart (the clear of an older one never clears a newer).
struct StatusMessage
{
    enum class Kind { info, success, failure };

    // How long the controller shows a message before clearing it.
    static constexpr double shownSeconds = 4;
    static constexpr double shownSecondsWithUndo = 12;

    QUuid id;
    Kind kind = Kind::info;
    QString text;
    // Sessions that "Undo" restores; empty except after a deletion.
    QList<QUuid> undoableDeletions;

    static StatusMessage info(const QString& text);
    static StatusMessage success(const QString& text);
    static StatusMessage failure(const QString& text);
    // An information message whose "Undo" restores `deleted`.
    static StatusMessage deletion(const QString& text, const QList<QUuid>& deleted);

    bool canUndo() const { return !undoableDeletions.isEmpty(); }
    // 12 seconds when the message offers an undo, else 4.
    double lifetime() const { return canUndo() ? shownSecondsWithUndo : shownSeconds; }

    bool operator==(const StatusMessage& other) const = default;
};

size_t qHash(const StatusMessage& message, size_t seed = 0);

} // namespace zol
