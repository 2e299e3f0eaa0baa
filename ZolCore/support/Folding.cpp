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

bool foldedContains(QStringView text, QStringView folded)
{
    if (folded.isEmpty())
        return true;
    if (!isAscii(text))
        return fold(text).contains(folded);

    // Walk the text as its fold would read, without building it: skip leading
    // white space, treat each run of white space as one space, compare letters
    // in lower case. The folded query never starts or ends with a space.
    const qsizetype n = text.size();
    const qsizetype m = folded.size();
    const char16_t first = folded[0].unicode();
    for (qsizetype start = 0; start < n; ++start) {
        const char16_t c = text[start].unicode();
        if (isAsciiSpace(c) || asciiLower(c) != first)
            continue;
        qsizetype i = start + 1;
        qsizetype j = 1;
        while (j < m && i < n) {
            const char16_t want = folded[j].unicode();
            const char16_t have = text[i].unicode();
            if (want == u' ') {
                if (!isAsciiSpace(have))
                    break;
                while (i < n && isAsciiSpace(text[i].unicode()))
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

} // namespace zol
