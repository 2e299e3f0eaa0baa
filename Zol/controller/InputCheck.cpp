#include "InputCheck.h"

#include "support/PlainText.h"

#include <QLocale>

namespace zol::InputCheck {

namespace {

struct NameWords
{
    Name what;
    const char16_t* subject;
    // Empty: a blank name is allowed.
    const char16_t* blank;
};

constexpr NameWords nameWords[] = {
    {Name::person, u"The name timesheets are filed under",
     u"The name timesheets are filed under "
     u"cannot be blank."},
    {Name::project, u"The project's name", u"A project needs a name."},
    {Name::client, u"The client's name", u""},
    {Name::projectNumber, u"The project number", u""},
    {Name::administration, u"The administration’s name", u"The administration needs a name."},
    {Name::task, u"The task's name", u"A task needs a name."},
    {Name::internalWork, u"The description of the internal work",
     u"Internal work needs a description."},
};

const NameWords& wordsFor(Name what)
{
    for (const NameWords& words : nameWords) {
        if (words.what == what)
            return words;
    }
    Q_UNREACHABLE();
}

// Characters as people count them: a surrogate pair is one.
qsizetype characters(QStringView text)
{
    qsizetype count = text.size();
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) {
            --count;
            ++i;
        }
    }
    return count;
}

QString number(qsizetype n)
{
    return QLocale().toString(n);
}

std::optional<QString> refuseText(QStringView subject, QStringView text, qsizetype longest,
                                  PlainText::Kind kind)
{
    if (!text.isValidUtf16())
        return subject + QStringLiteral(" is not valid UTF-8 text.");
    if (PlainText::hasControls(text, kind))
        return subject +
               (kind == PlainText::Kind::note
                    ? QStringLiteral(" holds control characters, such as escape codes; only line "
                                     "breaks and tabs may be in a note.")
                    : QStringLiteral(" holds control characters, such as a line break, a tab or "
                                     "an escape code; it must be one line of plain text."));
    const qsizetype length = characters(text);
    if (length > longest)
        return subject + QStringLiteral(" is ") + number(length) +
               QStringLiteral(" characters long; the most is ") + number(longest) + u'.';
    return std::nullopt;
}

struct SettingRange
{
    const char16_t* key;
    Range range;
    const char16_t* unit;
    // What 0 means, when it is allowed and means something else than a count.
    const char16_t* zero;
};

constexpr SettingRange settingRanges[] = {
    {u"ui.longRunningWarningHours", {0, 24}, u"hours", u"never"},
    {u"reminders.firstMinutes", {1, 24 * 60}, u"minutes", nullptr},
    {u"reminders.repeatMinutes", {0, 24 * 60}, u"minutes", u"remind once"},
    {u"idle.minutes", {1, 240}, u"minutes", nullptr},
};

const SettingRange* settingRange(QStringView key)
{
    for (const SettingRange& setting : settingRanges) {
        if (key == setting.key)
            return &setting;
    }
    return nullptr;
}

// "idle.minutes takes a whole number of minutes from 1 to 240"
QString takes(QStringView key, const SettingRange& setting)
{
    QString text = key + QStringLiteral(" takes a whole number of ") +
                   QString::fromUtf16(setting.unit) + QStringLiteral(" from ") +
                   QString::number(setting.range.lowest);
    if (setting.zero && setting.range.lowest == 0)
        text += QStringLiteral(" (") + QString::fromUtf16(setting.zero) + u')';
    return text + QStringLiteral(" to ") + QString::number(setting.range.highest);
}

} // namespace

std::optional<QString> refuseName(Name what, QStringView typed)
{
    const NameWords& words = wordsFor(what);
    const QStringView name = typed.trimmed();
    if (name.isEmpty() && *words.blank)
        return QString::fromUtf16(words.blank);
    return refuseText(QStringView(words.subject), name, longestName, PlainText::Kind::line);
}

std::optional<QString> refuseNote(QStringView typed)
{
    return refuseText(u"The note", typed, longestNote, PlainText::Kind::note);
}

std::optional<Range> rangeOf(QStringView key)
{
    if (const SettingRange* setting = settingRange(key))
        return setting->range;
    return std::nullopt;
}

std::optional<QString> refuseSetting(QStringView key, int value)
{
    const SettingRange* setting = settingRange(key);
    if (!setting || (value >= setting->range.lowest && value <= setting->range.highest))
        return std::nullopt;
    return takes(key, *setting) + QStringLiteral(", not ") + QString::number(value) + u'.';
}

std::expected<int, QString> settingNumber(QStringView key, QStringView typed)
{
    bool ok = false;
    const int value = typed.trimmed().toInt(&ok);
    if (!ok) {
        const SettingRange* setting = settingRange(key);
        return std::unexpected(setting ? QString(takes(key, *setting) + u'.')
                                       : QString(key + QStringLiteral(" takes a whole number.")));
    }
    if (std::optional<QString> refusal = refuseSetting(key, value))
        return std::unexpected(std::move(*refusal));
    return value;
}

} // namespace zol::InputCheck
