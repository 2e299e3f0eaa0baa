#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

#include <optional>

// Reads back the comma-separated text Zol writes (timesheets, exports) into a
// table of named columns. It never fails; text it cannot make sense of only
// yields fewer or odder rows.
namespace zol::CSVReader {

struct Table
{
    // The fields of the first record, as written.
    QStringList columns;
    // Every later record that is not an empty line, in file order.
    QList<QStringList> rows;

    bool isEmpty() const { return rows.isEmpty(); }
    // The field of `row` under the first header field equal to `column`
    // (case counts); none when there is no such column or the row is short.
    std::optional<QString> value(const QString& column, const QStringList& row) const;

    bool operator==(const Table& other) const = default;
};

// Splits on commas and line breaks (a carriage return, a line feed, or the two
// together, are one break), with double quotes anywhere in a field opening a
// quoted stretch in which "" stands for one quote. Nothing is trimmed and a
// byte-order mark is kept.
Table parse(QStringView text);

using RecordCallback = std::function<void(const QList<QStringView>& fields)>;
// Calls `record` with the fields of each record as parse() reads them: the
// first (the header), then every later one that is not an empty line. The
// views point into `text`, or into a copy of a field that quotes split, and
// last only for the call: for readers that keep a few columns of large files
// and need not pay for the others.
void forEachRecord(QStringView text, const RecordCallback& record);

using Utf8RecordCallback = std::function<void(const QList<QByteArrayView>& fields)>;
// The same over text in UTF-8, for readers that would rather not decode what
// they skip: the fields are those of the decoded text, in UTF-8. A byte-order
// mark is kept, as above.
void forEachRecord(QByteArrayView utf8, const Utf8RecordCallback& record);

} // namespace zol::CSVReader
