#include "formats/CSVReader.h"

namespace zol::CSVReader {

std::optional<QString> Table::value(const QString& column, const QStringList& row) const
{
    const qsizetype index = columns.indexOf(column);
    if (index < 0 || index >= row.size())
        return std::nullopt;
    return row.at(index);
}

namespace {

// Only these four characters mean anything to the reader; all of them sort at
// or below the comma, so the scan over ordinary text is one comparison a
// character.
bool isSpecial(char16_t c)
{
    return c <= u',' && (c == u',' || c == u'"' || c == u'\n' || c == u'\r');
}

// Splits `text` into records and hands each field, then the end of each
// record, to `Sink`. A field is kept as a start pointer into the text while it
// is one plain run (the usual case); it moves into `m_assembled` once a quote
// splits it.
template <typename Sink> class Splitter
{
public:
    Splitter(QStringView text, Sink& sink)
        : m_position(text.utf16())
        , m_end(text.utf16() + text.size())
        , m_runStart(m_position)
        , m_sink(sink)
    {}

    void run()
    {
        while (m_position != m_end) {
            if (m_inQuotes)
                scanQuoted();
            else
                scanPlain();
        }
        // A final line without a break still counts; a break at the very end
        // adds no empty record.
        if (!m_assembled.isEmpty() || m_runStart != m_end || m_sink.hasFields()) {
            endField();
            m_sink.endRecord();
        }
    }

private:
    void scanPlain()
    {
        const char16_t* p = m_position;
        while (p != m_end && !isSpecial(*p))
            ++p;
        m_position = p;
        if (p == m_end)
            return;
        switch (*p) {
        case u',':
            endField();
            m_runStart = ++m_position;
            break;
        case u'"':
            // A quote anywhere opens a quoted stretch; the quote is not kept.
            m_assembled.append(QStringView(m_runStart, p));
            m_inQuotes = true;
            m_runStart = ++m_position;
            break;
        default: // a line break; "\r\n" is one
            endField();
            m_sink.endRecord();
            ++m_position;
            if (*p == u'\r' && m_position != m_end && *m_position == u'\n')
                ++m_position;
            m_runStart = m_position;
            break;
        }
    }

    void scanQuoted()
    {
        const char16_t* p = m_position;
        while (p != m_end && *p != u'"')
            ++p;
        // An unterminated quote runs to the end of the text.
        m_assembled.append(QStringView(m_runStart, p));
        if (p == m_end) {
            m_position = m_runStart = m_end;
            return;
        }
        ++p;
        if (p != m_end && *p == u'"') {
            // "" is one quote, still inside; the second quote starts the next run.
            m_runStart = p;
            m_position = p + 1;
        } else {
            m_inQuotes = false;
            m_runStart = m_position = p;
        }
    }

    void endField()
    {
        const QStringView run(m_runStart, m_position);
        if (m_assembled.isEmpty()) {
            m_sink.plainField(run);
        } else {
            m_assembled.append(run);
            m_sink.assembledField(std::move(m_assembled));
            m_assembled = QString();
        }
    }

    const char16_t* m_position;
    const char16_t* const m_end;
    // Where the current unquoted run (or quoted run) of the field began.
    const char16_t* m_runStart;
    // The field so far, once a quote has split it into several runs.
    QString m_assembled;
    bool m_inQuotes = false;
    Sink& m_sink;
};

// Builds the table, so that blank lines never accumulate; a plain field is one
// allocation, made to measure, or none when it repeats the row above.
class TableSink
{
public:
    bool hasFields() const { return !m_record.isEmpty(); }

    void plainField(QStringView run)
    {
        // Columns such as the date, the person or "yes"/"no" mostly repeat
        // the row above: share its string instead of allocating another.
        const qsizetype column = m_record.size();
        if (!m_table.rows.isEmpty() && column < m_table.rows.constLast().size()) {
            const QString& above = m_table.rows.constLast().at(column);
            if (above == run) {
                m_record.append(above);
                return;
            }
        }
        m_record.append(run.toString());
    }

    void assembledField(QString&& field) { m_record.append(std::move(field)); }

    void endRecord()
    {
        if (!m_haveColumns) {
            m_table.columns = std::move(m_record);
            m_haveColumns = true;
        } else if (m_record.size() == 1 && m_record.front().isEmpty()) {
            // An empty line. clear() keeps the capacity for the next record.
            m_record.clear();
            return;
        } else {
            m_table.rows.append(std::move(m_record));
        }
        m_record = QStringList();
        m_record.reserve(m_table.columns.size());
    }

    Table take() { return std::move(m_table); }

private:
    QStringList m_record;
    bool m_haveColumns = false;
    Table m_table;
};

// Hands each record to a callback as views, copying nothing but the fields a
// quote split.
class ViewSink
{
public:
    explicit ViewSink(const RecordCallback& callback)
        : m_callback(callback)
    {}

    bool hasFields() const { return !m_record.isEmpty(); }
    void plainField(QStringView run) { m_record.append(run); }
    void assembledField(QString&& field)
    {
        // A moved QString keeps its characters where they are, so the view
        // stays good while the list grows.
        m_assembled.append(std::move(field));
        m_record.append(m_assembled.constLast());
    }

    void endRecord()
    {
        const bool emptyLine = m_record.size() == 1 && m_record.front().isEmpty();
        if (!m_haveColumns || !emptyLine)
            m_callback(m_record);
        m_haveColumns = true;
        m_record.clear();
        m_assembled.clear();
    }

private:
    const RecordCallback& m_callback;
    QList<QStringView> m_record;
    QList<QString> m_assembled;
    bool m_haveColumns = false;
};

} // namespace

Table parse(QStringView text)
{
    TableSink sink;
    Splitter(text, sink).run();
    return sink.take();
}

void forEachRecord(QStringView text, const RecordCallback& record)
{
    ViewSink sink(record);
    Splitter(text, sink).run();
}

} // namespace zol::CSVReader
