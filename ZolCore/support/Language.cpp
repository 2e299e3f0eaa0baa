#include "support/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QResource>
#include <QTranslator>

#include <memory>

namespace zol::Language {

namespace {

// The language part of a locale name such as "nl_BE.UTF-8@euro"; "C" and
// "POSIX" name the untranslated texts.
QString languageOf(QStringView name)
{
    qsizetype end = 0;
    while (end < name.size() && name[end] != u'_' && name[end] != u'.' && name[end] != u'@' &&
           name[end] != u'-')
        ++end;
    const QString language = name.left(end).toString().toLower();
    if (language == u"c" || language == u"posix")
        return QStringLiteral("en");
    return language;
}

// The translators installed, kept so that a second install replaces them.
struct Installed
{
    QString language = QStringLiteral("en");
    std::unique_ptr<QTranslator> english;
    QByteArray englishBytes;
    std::unique_ptr<QTranslator> zol;
    QByteArray zolBytes;
    std::unique_ptr<QTranslator> qt;
};

Installed& installed()
{
    static Installed translators;
    return translators;
}

void replace(std::unique_ptr<QTranslator>& slot, std::unique_ptr<QTranslator> with)
{
    if (slot)
        QCoreApplication::removeTranslator(slot.get());
    slot = std::move(with);
    if (slot)
        QCoreApplication::installTranslator(slot.get());
}

std::unique_ptr<QTranslator> loaded(const QString& file, const QString& folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, folder))
        return nullptr;
    return translator;
}

// Zol's own texts, read straight from the program's resources: no search
// for the file under other names, which every command would pay for.
// The bytes are kept in `bytes`, which the translator reads from.
std::unique_ptr<QTranslator> built(const QString& language, QByteArray& bytes)
{
    const QResource resource(QStringLiteral(":/i18n/zol_") + language + QStringLiteral(".qm"));
    if (!resource.isValid())
        return nullptr;
    bytes = resource.uncompressedData();
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(reinterpret_cast<const uchar*>(bytes.constData()), int(bytes.size())))
        return nullptr;
    return translator;
}

} // namespace

QStringList available()
{
    return {QStringLiteral("en"), QStringLiteral("nl")};
}

QString ofEnvironment(const std::function<QString(const char*)>& variable)
{
    const QStringList spoken = available();
    // LANGUAGE is a list of preferences, each tried in turn.
    const QString preferences = variable("LANGUAGE");
    for (const QString& name : preferences.split(u':', Qt::SkipEmptyParts)) {
        const QString language = languageOf(name);
        if (spoken.contains(language))
            return language;
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = variable(name);
        if (value.isEmpty())
            continue;
        const QString language = languageOf(value);
        return spoken.contains(language) ? language : QStringLiteral("en");
    }
    return QStringLiteral("en");
}

Resolved resolve(const QString& choice, const std::function<QString(const char*)>& variable,
                 const QLocale& desktopLocale)
{
    if (choice.isEmpty() || choice == QLatin1String(system) || !available().contains(choice))
        return {ofEnvironment(variable), desktopLocale};
    const QLocale chosen(choice);
    if (desktopLocale.language() == chosen.language())
        return {choice, desktopLocale};
    // The chosen language in the desktop's country (English in the
    // Netherlands: en_NL), where that pair is a locale of its own.
    const QLocale paired(chosen.language(), desktopLocale.territory());
    return {choice, paired.language() == chosen.language() ? paired : chosen};
}

QString current()
{
    return installed().language;
}

Resolved resolve(const QString& choice)
{
    return resolve(
        choice, [](const char* name) { return qEnvironmentVariable(name); }, QLocale::system());
}

void installEnglishForms()
{
    Installed& now = installed();
    QByteArray bytes;
    std::unique_ptr<QTranslator> english = built(QStringLiteral("en"), bytes);
    replace(now.english, std::move(english));
    now.englishBytes = std::move(bytes);
}

Resolved install(const QString& choice, QtTexts qtTexts)
{
    const Resolved resolved = resolve(choice);
    installEnglishForms();
    Installed& now = installed();
    if (resolved.language == u"en") {
        replace(now.zol, nullptr);
        replace(now.qt, nullptr);
    } else {
        QByteArray bytes;
        std::unique_ptr<QTranslator> translator = built(resolved.language, bytes);
        replace(now.zol, std::move(translator));
        now.zolBytes = std::move(bytes);
        replace(now.qt, qtTexts == QtTexts::included
                            ? loaded(QStringLiteral("qtbase_") + resolved.language,
                                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                            : nullptr);
    }
    QLocale::setDefault(resolved.locale);
    now.language = resolved.language;
    return resolved;
}

} // namespace zol::Language
