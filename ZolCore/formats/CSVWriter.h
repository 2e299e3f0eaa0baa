#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zol {

// Builds every CSV file Zol writes (the session export, the timesheets, the
// studio's sessions), so that one rule applies to all of them: fields
// separated by commas, a line feed after every line, a field quoted only when
// it must be (EntryExporter::escape).
//
// Whoever receives these files opens them in a spreadsheet, which would run a
// note such as =HYPERLINK(…) as a formula. Every text field (anything a person
// typed or another machine's file held: names, notes, tasks, project numbers)
// is therefore made spreadsheet-safe first (EntryExporter::spreadsheetSafe).
// Values Zol formats itself (durations, hours, dates, times, yes and no) are
// written as they are: they never start like a formula, and a prefix would
// stop the spreadsheet reading them as numbers and dates. A reader undoes the
// prefix on the text fields it reads with EntryExporter::fromSpreadsheetSafe.
class CSVWriter
{
public:
    // How the values of a column are written.
    enum class Field { text, formatted };

    // Starts the text with the header line; `fields` gives each column's kind,
    // in the order of `header`.
    CSVWriter(const QStringList& header, const QList<Field>& fields);

    // Appends one line, one value per column; a value beyond the columns
    // given is text.
    void addLine(const QStringList& values);
    void reserveLines(qsizetype lines);

    const QString& text() const { return m_text; }

private:
    void appendLine(const QStringList& values, bool header);

    QList<Field> m_fields;
    QString m_text;
};

} // namespace zol
