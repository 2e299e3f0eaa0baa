#include "InputCheck.h"

#include "support/PlainText.h"

#include <QCoreApplication>
#include <QLocale>

namespace zol::InputCheck {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::InputCheck)
};

// The words of the tables below are translated where a refusal is made.
QString translated(const char* text)
{
    return QCoreApplication::translate("zol::controller::InputCheck", text);
}

struct NameWords
{
    Name what;
    const char* subject;
    // Empty: a blank name is allowed.
    const char* blank;
};

constexpr NameWords nameWords[] = {
    {Name::person,
     QT_TRANSLATE_NOOP("zol::controller::InputCheck", "The name timesheets are filed under"),
     QT_TRANSLATE_NOOP("zol::controller::InputCheck",
                       "The name timesheets are filed under cannot be blank.")},
    {Name::project, QT_TRANSLATE_NOOP("zol::controller::InputCheck", "The project's name"),
     QT_TRANSLATE_NOOP("zol::controller::InputCheck", "A project needs a name.")},
    {Name::client, QT_TRANSLATE_NOOP("zol::controller::InputCheck", "The client's name"), ""},
    {Name::projectNumber, QT_TRANSLATE_NOOP("zol::controller::InputCheck", "The project number"),
     ""},
    {Name::administration,
     QT_TRANSLATE_NOOP("zol::controller::InputCheck", "The administration’s name"),
     QT_TRANSLATE_NOOP("zol::controller::InputCheck", "The administration needs a name.")},
    {Name::task, QT_TRANSLATE_NOOP("zol::controller::InputCheck", "The task's name"),
     QT_TRANSLATE_NOOP("zol::controller::InputCheck", "A task needs a name.")},
    {Name::internalWork,
     QT_TRANSLATE_NOOP("zol::controller::InputCheck", "The description of the internal work"),
     QT_TRANSLATE_NOOP("zol::controller::InputCheck", "Internal work needs a description.")},
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

std::optional<QString> refuseText(const QString& subject, QStringView text, qsizetype longest,
                                  PlainText::Kind kind)
{
    if (!text.isValidUtf16())
        return Texts::tr("%1 is not valid UTF-8 text.").arg(subject);
    if (PlainText::hasControls(text, kind))
        return (kind == PlainText::Kind::note
                    ? Texts::tr("%1 holds control characters, such as escape codes; only line "
                                "breaks and tabs may be in a note.")
                    : Texts::tr("%1 holds control characters, such as a line break, a tab or an "
                                "escape code; it must be one line of plain text."))
            .arg(subject);
    const qsizetype length = characters(text);
    if (length > longest)
        return Texts::tr("%1 is %2 characters long; the most is %3.")
            .arg(subject, number(length), number(longest));
    return std::nullopt;
}

struct SettingRange
{
    const char16_t* key;
    Range range;
    // The sentence naming the range, with the key for %1, the lowest number
    // for %2 and the highest for %3: "idle.minutes takes a whole number of
    // minutes from 1 to 240."; and the same refusing the number typed (%4).
    const char* takes;
    const char* takesNot;
};

constexpr SettingRange settingRanges[] = {
    {u"ui.longRunningWarningHours",
     {0, 24},
     QT_TRANSLATE_NOOP("zol::controller::InputCheck",
                       "%1 takes a whole number of hours from %2 (never) to %3."),
     QT_TRANSLATE_NOOP("zol::controller::InputCheck",
                       "%1 takes a whole number of hours from %2 (never) to %3, not %4.")},
    {u"reminders.firstMinutes",
     {1, 24 * 60},
     QT_TRANSLATE_NOOP("zol::controller::InputCheck",
                       "%1 takes a whole number of minutes from %2 to %3."),
     QT_TRANSLATE_NOOP("zol::controller::InputCheck",
                       "%1 takes a whole number of minutes from %2 to %3, not %4.")},
    {u"reminders.repeatMinutes",
     {0, 24 * 60},
     QT_TRANSLATE_NOOP("zol::controller::InputCheck",
                       "%1 takes a whole number of minutes from %2 (remind once) to %3."),
     QT_TRANSLATE_NOOP("zol::controller::InputCheck",
                       "%1 takes a whole number of minutes from %2 (remind once) to %3, not %4.")},
    {u"idle.minutes",
     {1, 240},
     QT_TRANSLATE_NOOP("zol::controller::InputCheck",
                       "%1 takes a whole number of minutes from %2 to %3."),
     QT_TRANSLATE_NOOP("zol::controller::InputCheck",
                       "%1 takes a whole number of minutes from %2 to %3, not %4.")},
};

const SettingRange* settingRange(QStringView key)
{
    for (const SettingRange& setting : settingRanges) {
        if (key == setting.key)
            return &setting;
    }
    return nullptr;
}

} // namespace

std::optional<QString> refuseName(Name what, QStringView typed)
{
    const NameWords& words = wordsFor(what);
    const QStringView name = typed.trimmed();
    if (name.isEmpty() && *words.blank)
        return translated(words.blank);
    return refuseText(translated(words.subject), name, longestName, PlainText::Kind::line);
}

std::optional<QString> refuseNote(QStringView typed)
{
    return refuseText(Texts::tr("The note"), typed, longestNote, PlainText::Kind::note);
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
    return translated(setting->takesNot)
        .arg(key, QString::number(setting->range.lowest), QString::number(setting->range.highest),
             QString::number(value));
}

std::expected<int, QString> settingNumber(QStringView key, QStringView typed)
{
    bool ok = false;
    const int value = typed.trimmed().toInt(&ok);
    if (!ok) {
        const SettingRange* setting = settingRange(key);
        return std::unexpected(setting ? translated(setting->takes)
                                             .arg(key, QString::number(setting->range.lowest),
                                                  QString::number(setting->range.highest))
                                       : Texts::tr("%1 takes a whole number.").arg(key));
    }
    if (std::optional<QString> refusal = refuseSetting(key, value))
        return std::unexpected(std::move(*refusal));
    return value;
}

} // namespace zol::InputCheck
