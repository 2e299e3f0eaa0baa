#include "formats/CSVWriter.h"

#include "formats/EntryExporter.h"

namespace zol {

CSVWriter::CSVWriter(const QStringList& header, const QList<Field>& fields)
    : m_fields(fields)
{
    appendLine(header, true);
}

void CSVWriter::addLine(const QStringList& values)
{
    appendLine(values, false);
}

void CSVWriter::reserveLines(qsizetype lines)
{
    // A line is about twice as long as the header.
    m_text.reserve(m_text.size() * (2 * lines + 1));
}

void CSVWriter::appendLine(const QStringList& values, bool header)
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            m_text += u',';
        const QString& value = values.at(i);
        const bool text = i >= m_fields.size() || m_fields.at(i) == Field::text;
        m_text +=
            EntryExporter::escape(!header && text ? EntryExporter::spreadsheetSafe(value) : value);
    }
    m_text += u'\n';
}

} // namespace zol
