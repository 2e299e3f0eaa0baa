#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

namespace zol {

// The language Zol speaks: English, the language of its texts as written, or
// one it has a translation for. The person's choice ("system", "en", "nl")
// is kept in the settings (AppSettings::language); "system" follows the
// desktop.
namespace Language {

inline constexpr const char* system = "system";

// The languages Zol has texts in, English first.
QStringList available();

// The language of the desktop, as gettext reads it: the first of LANGUAGE's
// colon-separated list that Zol speaks, else the language of the first of
// LC_ALL, LC_MESSAGES and LANG that is set. "C" and "POSIX" are English;
// a language Zol has no texts in falls through to English.
QString ofEnvironment(const std::function<QString(const char*)>& variable);

struct Resolved
{
    QString language;
    // The locale dates and numbers follow: the desktop's, unless the person
    // chose a language the desktop's locale is not in; then that language
    // with the desktop's territory where the pair exists.
    QLocale locale;
};

// What `choice` ("system", a language code, or nothing) comes to on a desktop
// whose environment is `variable` and whose locale is `desktopLocale`.
Resolved resolve(const QString& choice, const std::function<QString(const char*)>& variable,
                 const QLocale& desktopLocale);
// The same on this desktop.
Resolved resolve(const QString& choice);

// Qt's own texts (dialog buttons, the menus of text fields): only a program
// with windows needs them.
enum class QtTexts { left, included };

// Installs the texts of the language that `choice` comes to on this desktop
// (Zol's own, and Qt's if asked), and makes its locale the default. Needs a
// QCoreApplication. Installing again replaces what was installed.
Resolved install(const QString& choice, QtTexts qtTexts = QtTexts::included);

// The language installed last ("en" before any is).
QString current();

// The English plural forms ("1 session"), which every program needs even when
// it speaks English; `install` includes them.
void installEnglishForms();

} // namespace Language

} // namespace zol
