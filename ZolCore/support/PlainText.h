#pragma once

#include <QString>
#include <QStringView>

namespace zol::PlainText {

// Text that people read holds printable characters only. Controls are the
// C0 characters (a note may keep its line breaks and tabs), DEL, the C1
// characters, and the bidirectional embeddings, overrides and isolates that
// are not closed again within the text: a terminal acts on the first kind
// (an escape sequence can clear the screen or recolour it), and the last kind
// reorders whatever is shown after the text.
enum class Kind {
    // A name, a number, a client, a task: one line.
    line,
    // A note: line breaks and tabs are part of it.
    note,
};

// Whether `text` holds anything but what `kind` may hold.
bool hasControls(QStringView text, Kind kind);

// The text with its controls removed, for text that arrives from another
// computer: a line break or tab in a line becomes a space, the other
// controls go, and unbalanced direction controls go too.
QString withoutControls(QStringView text, Kind kind);
// The same; text without controls is returned as it is, not copied.
QString withoutControls(const QString& text, Kind kind);

// Wraps text whose direction may differ from its surroundings (it holds
// right-to-left letters or direction controls) in a first-strong isolate, so
// that it cannot reorder what is shown around it. Other text is returned as
// it is.
QString isolated(const QString& text);

// What may reach a terminal of bytes that are UTF-8: every C0 byte but line
// feed and tab, DEL and every C1 character become U+FFFD. Bytes that are not
// UTF-8 pass unchanged. Used on everything the command line prints.
QByteArray forTerminal(const QByteArray& bytes);

} // namespace zol::PlainText
