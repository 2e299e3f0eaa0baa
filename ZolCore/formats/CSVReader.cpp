#include "formats/CSVReader.h"

#include <type_traits>

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
// character. They are ASCII, and no byte of a longer UTF-8 sequence is: UTF-8
// splits exactly where the same text in UTF-16 does.
template <typename Unit> bool isSpecial(Unit unit)
{
    const auto c = static_cast<std::make_unsigned_t<Unit>>(unit);
    return c <= u',' && (c == u',' || c == u'"' || c == u'\n' || c == u'\r');
}

// The views and the strings of text in UTF-16 (char16_t) or UTF-8 (char).
template <typename Unit> struct TextOf;
template <> struct TextOf<char16_t>
{
    using View = QStringView;
    using Owned = QString;
};
template <> struct TextOf<char>
{
    using View = QByteArrayView;
    using Owned = QByteArray;
};

// Splits text into records and hands each field, then the end of each
// record, to `Sink`. A field is kept as a start pointer into the text while it
// is one plain run (the usual case); it moves into `m_assembled` once a quote
// splits it.
template <typename Unit, typename Sink> class Splitter
{
public:
    using View = typename TextOf<Unit>::View;
    using Owned = typename TextOf<Unit>::Owned;

    Splitter(const Unit* begin, const Unit* end, Sink& sink)
        : m_position(begin)
        , m_end(end)
        , m_runStart(begin)
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
        const Unit* p = m_position;
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
            m_assembled.append(View(m_runStart, p));
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
        const Unit* p = m_position;
        while (p != m_end && *p != u'"')
            ++p;
        // An unterminated quote runs to the end of the text.
        m_assembled.append(View(m_runStart, p));
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
        const View run(m_runStart, m_position);
        if (m_assembled.isEmpty()) {
            m_sink.plainField(run);
        } else {
            m_assembled.append(run);
            m_sink.assembledField(std::move(m_assembled));
            m_assembled = Owned();
        }
    }

    const Unit* m_position;
    const Unit* const m_end;
    // Where the current unquoted run (or quoted run) of the field began.
    const Unit* m_runStart;
    // The field so far, once a quote has split it into several runs.
    Owned m_assembled;
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
template <typename Unit> class ViewSink
{
public:
    using View = typename TextOf<Unit>::View;
    using Owned = typename TextOf<Unit>::Owned;
    using Callback = std::function<void(const QList<View>&)>;

    explicit ViewSink(const Callback& callback)
        : m_callback(callback)
    {}

    bool hasFields() const { return !m_record.isEmpty(); }
    void plainField(View run) { m_record.append(run); }
    void assembledField(Owned&& field)
    {
        // A moved string keeps its characters where they are, so the view
        // stays good while the list grows.
        m_assembled.append(std::move(field));
        m_record.append(View(m_assembled.constLast()));
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
    const Callback& m_callback;
    QList<View> m_record;
    QList<Owned> m_assembled;
    bool m_haveColumns = false;
};

} // namespace

Table parse(QStringView text)
{
    TableSink sink;
    Splitter(text.utf16(), text.utf16() + text.size(), sink).run();
    return sink.take();
}

void forEachRecord(QStringView text, const RecordCallback& record)
{
    ViewSink<char16_t> sink(record);
    Splitter(text.utf16(), text.utf16() + text.size(), sink).run();
}

void forEachRecord(QByteArrayView utf8, const Utf8RecordCallback& record)
{
    ViewSink<char> sink(record);
    Splitter(utf8.data(), utf8.data() + utf8.size(), sink).run();
}

} // namespace zol::CSVReader
