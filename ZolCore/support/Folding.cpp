#include "support/Folding.h"

namespace zol {

namespace {

bool isAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool isAsciiSpace(char16_t c)
{
    // The characters below 0x80 that QChar::isSpace() counts as white space.
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

char16_t asciiLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

// Appends the fold of ASCII text: lower case with white space collapsed.
QString foldAscii(QStringView text)
{
    QString out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (isAsciiSpace(c)) {
            pendingSpace = !out.isEmpty();
            continue;
        }
        if (pendingSpace) {
            out.append(u' ');
            pendingSpace = false;
        }
        out.append(QChar(asciiLower(c)));
    }
    return out;
}

} // namespace

QString fold(QStringView text)
{
    if (isAscii(text))
        return foldAscii(text);

    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString stripped;
    stripped.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            stripped.append(c);
    }
    return stripped.toCaseFolded().simplified();
}

QString collapseWhitespace(QStringView text)
{
    return text.toString().simplified();
}

namespace {

bool isAscii(QByteArrayView text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Whether `folded` occurs in the fold of ASCII `text` (QChars or bytes).
// Walks the text as its fold would read, without building it: skips leading
// white space, treats each run of white space as one space, compares letters
// in lower case. The folded query never starts or ends with a space.
template <typename Text> bool asciiFoldedContains(const Text& text, QStringView folded)
{
    const auto at = [&](qsizetype i) { return char16_t(static_cast<unsigned char>(text[i])); };
    const qsizetype n = text.size();
    const qsizetype m = folded.size();
    const char16_t first = folded[0].unicode();
    for (qsizetype start = 0; start < n; ++start) {
        const char16_t c = at(start);
        if (isAsciiSpace(c) || asciiLower(c) != first)
            continue;
        qsizetype i = start + 1;
        qsizetype j = 1;
        while (j < m && i < n) {
            const char16_t want = folded[j].unicode();
            const char16_t have = at(i);
            if (want == u' ') {
                if (!isAsciiSpace(have))
                    break;
                while (i < n && isAsciiSpace(at(i)))
                    ++i;
                ++j;
                continue;
            }
            if (asciiLower(have) != want)
                break;
            ++i;
            ++j;
        }
        if (j == m)
            return true;
    }
    return false;
}

// Reads ASCII text held as QChars one byte at a time, for the walk above.
struct AsciiChars
{
    QStringView text;
    qsizetype size() const { return text.size(); }
    char operator[](qsizetype i) const { return char(text[i].unicode()); }
};

} // namespace

bool foldedContains(QStringView text, QStringView folded)
{
    if (folded.isEmpty())
        return true;
    if (!isAscii(text))
        return fold(text).contains(folded);
    return asciiFoldedContains(AsciiChars{text}, folded);
}

FoldedMatcher::FoldedMatcher(QString folded)
    : m_folded(std::move(folded))
{}

bool FoldedMatcher::operator()(QByteArrayView utf8)
{
    if (m_folded.isEmpty())
        return true;
    if (isAscii(utf8))
        return asciiFoldedContains(utf8, m_folded);
    // Looked up without copying the text; copied only to be kept.
    const QByteArray key = QByteArray::fromRawData(utf8.data(), utf8.size());
    const auto seen = m_seen.constFind(key);
    if (seen != m_seen.cend())
        return seen.value();
    const bool found = fold(QString::fromUtf8(utf8)).contains(m_folded);
    // Notes are mostly different from each other: enough for the names.
    constexpr qsizetype kept = 4096;
    if (m_seen.size() < kept)
        m_seen.insert(QByteArray(utf8.data(), utf8.size()), found);
    return found;
}

} // namespace zol
