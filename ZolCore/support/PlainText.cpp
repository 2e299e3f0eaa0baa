#include "support/PlainText.h"

#include <QList>

namespace zol::PlainText {

namespace {

enum class Bidi { none, opensEmbedding, opensIsolate, closesEmbedding, closesIsolate };

Bidi bidiOf(char16_t c)
{
    switch (c) {
    case 0x202A: // LRE
    case 0x202B: // RLE
    case 0x202D: // LRO
    case 0x202E: // RLO
        return Bidi::opensEmbedding;
    case 0x2066: // LRI
    case 0x2067: // RLI
    case 0x2068: // FSI
        return Bidi::opensIsolate;
    case 0x202C: // PDF
        return Bidi::closesEmbedding;
    case 0x2069: // PDI
        return Bidi::closesIsolate;
    default:
        return Bidi::none;
    }
}

// A line break, or a tab: what a note may hold and a line may not.
bool breaksTheLine(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == u'\t' || c == 0x2028 || c == 0x2029;
}

// C0, DEL and C1.
bool isTerminalControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Whether any character needs a closer look: a control, a line break, or a
// direction control. Almost no text has one, and this is all it costs.
bool mayHoldControls(QStringView text)
{
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x2028 && c <= 0x202E) ||
            (c >= 0x2066 && c <= 0x2069))
            return true;
    }
    return false;
}

// Whether the character at each position may stay: printable, a line break
// or tab a note keeps, or a direction control closed again within the text.
QList<bool> keeps(QStringView text, Kind kind)
{
    QList<bool> kept(text.size(), true);
    struct Open
    {
        qsizetype at;
        bool isolate;
    };
    QList<Open> open;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (kind == Kind::note && (c == u'\n' || c == u'\t' || c == 0x2028 || c == 0x2029))
            continue;
        if (isTerminalControl(c) || breaksTheLine(c)) {
            kept[i] = false;
            continue;
        }
        switch (bidiOf(c)) {
        case Bidi::none:
            break;
        case Bidi::opensEmbedding:
        case Bidi::opensIsolate:
            open.append({i, bidiOf(c) == Bidi::opensIsolate});
            break;
        case Bidi::closesEmbedding:
            if (!open.isEmpty() && !open.last().isolate)
                open.removeLast();
            else
                kept[i] = false;
            break;
        case Bidi::closesIsolate: {
            // Closes the innermost isolate and whatever embeddings it holds.
            qsizetype isolate = open.size() - 1;
            while (isolate >= 0 && !open.at(isolate).isolate)
                --isolate;
            if (isolate < 0)
                kept[i] = false;
            else
                open.resize(isolate);
            break;
        }
        }
    }
    for (const Open& unclosed : std::as_const(open))
        kept[unclosed.at] = false;
    return kept;
}

} // namespace

bool hasControls(QStringView text, Kind kind)
{
    if (!mayHoldControls(text))
        return false;
    const QList<bool> kept = keeps(text, kind);
    return kept.contains(false);
}

QString withoutControls(QStringView text, Kind kind)
{
    if (!mayHoldControls(text))
        return text.toString();
    const QList<bool> kept = keeps(text, kind);
    if (!kept.contains(false))
        return text.toString();
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (kept.at(i))
            result.append(text[i]);
        else if (kind == Kind::line && breaksTheLine(text[i].unicode()))
            result.append(u' ');
        else if (kind == Kind::note && text[i] == u'\r')
            result.append(i + 1 < text.size() && text[i + 1] == u'\n' ? QString()
                                                                      : QStringLiteral("\n"));
    }
    return result;
}

QString withoutControls(const QString& text, Kind kind)
{
    if (!mayHoldControls(text))
        return text;
    return withoutControls(QStringView(text), kind);
}

QString isolated(const QString& text)
{
    for (const char32_t c : QStringView(text).toUcs4()) {
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirPDF:
        case QChar::DirRLI:
        case QChar::DirLRI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            return QChar(0x2068) + text + QChar(0x2069);
        default:
            break;
        }
    }
    return text;
}

QByteArray forTerminal(const QByteArray& bytes)
{
    static const QByteArray replacement = QByteArrayLiteral("\xEF\xBF\xBD");
    QByteArray result;
    result.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if ((b < 0x20 && b != '\n' && b != '\t') || b == 0x7F) {
            result += replacement;
        } else if (b == 0xC2 && i + 1 < bytes.size() &&
                   static_cast<unsigned char>(bytes[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(bytes[i + 1]) <= 0x9F) {
            // U+0080..U+009F, two bytes in UTF-8.
            result += replacement;
            ++i;
        } else {
            result += char(b);
        }
    }
    return result;
}

} // namespace zol::PlainText
