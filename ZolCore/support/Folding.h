#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

namespace zol {

// The comparison form of text people type: compatibility decomposition (so
// full-width and other width variants meet their plain forms), non-spacing
// marks dropped (diacritics), case folded, runs of white space made one space
// and the ends trimmed. Two texts that fold alike are the same name; a query
// matches a field when the fold of the field contains the fold of the query.
// Only for comparing: never show or store a folded text.
QString fold(QStringView text);

// The text with its ends trimmed and every run of white space inside made one
// space; otherwise unchanged. This is how names people type are tidied.
QString collapseWhitespace(QStringView text);

// Whether `folded`, already the fold of a query, occurs in the fold of `text`.
// Equivalent to fold(text).contains(folded), without building the fold for
// plain ASCII text: the hot path of searching many sessions.
bool foldedContains(QStringView text, QStringView folded);
// A folded query matched against many texts given as UTF-8, as a search reads
// them from the books: plain ASCII is read as it is, without decoding it, and
// the fold of any other text is worked out once, however often the text comes
// back (a client's name is on every one of its sessions, and folding a name
// that is not plain ASCII is the dear part of a search).
class FoldedMatcher
{
public:
    explicit FoldedMatcher(QString folded);

    // Whether the fold of `utf8` contains the query.
    bool operator()(QByteArrayView utf8);

private:
    QString m_folded;
    QHash<QByteArray, bool> m_seen;
};

} // namespace zol
