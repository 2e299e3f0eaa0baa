#include "support/Language.h"

#include <QCoreApplication>
#include <QHash>
#include <QTest>

using namespace zol;
using namespace Qt::StringLiterals;

namespace {

// An environment of the given variables ("LANG=nl_NL.UTF-8"), the rest unset.
std::function<QString(const char*)> environment(const QStringList& assignments)
{
    QHash<QString, QString> values;
    for (const QString& assignment : assignments)
        values.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    return [values](const char* name) { return values.value(QString::fromLatin1(name)); };
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void desktopLanguage_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QString>("language");
        QTest::newRow("nothing set") << QStringList{} << u"en"_s;
        QTest::newRow("LANG") << QStringList{u"LANG=nl_NL.UTF-8"_s} << u"nl"_s;
        QTest::newRow("Flemish") << QStringList{u"LANG=nl_BE.UTF-8@euro"_s} << u"nl"_s;
        QTest::newRow("LC_MESSAGES over LANG")
            << QStringList{u"LANG=en_US.UTF-8"_s, u"LC_MESSAGES=nl_NL.UTF-8"_s} << u"nl"_s;
        QTest::newRow("LC_ALL over LC_MESSAGES")
            << QStringList{u"LC_ALL=en_GB.UTF-8"_s, u"LC_MESSAGES=nl_NL.UTF-8"_s} << u"en"_s;
        QTest::newRow("LANGUAGE over LC_ALL")
            << QStringList{u"LANGUAGE=nl"_s, u"LC_ALL=en_US.UTF-8"_s} << u"nl"_s;
        // The first of LANGUAGE's list Zol speaks; a list of languages it has
        // no texts in falls through to the locale.
        QTest::newRow("LANGUAGE list") << QStringList{u"LANGUAGE=fr_FR:nl_NL:en"_s} << u"nl"_s;
        QTest::newRow("LANGUAGE unspoken")
            << QStringList{u"LANGUAGE=fr:de"_s, u"LANG=nl_NL.UTF-8"_s} << u"nl"_s;
        QTest::newRow("C is English")
            << QStringList{u"LC_ALL=C.UTF-8"_s, u"LANG=nl_NL.UTF-8"_s} << u"en"_s;
        QTest::newRow("unspoken locale") << QStringList{u"LANG=fr_FR.UTF-8"_s} << u"en"_s;
    }

    void desktopLanguage()
    {
        QFETCH(QStringList, variables);
        QFETCH(QString, language);
        QCOMPARE(Language::ofEnvironment(environment(variables)), language);
    }

    void choice_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("desktopLocale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("locale");
        QTest::newRow("as the system") << u"system"_s << u"nl_NL"_s << u"nl"_s << u"nl_NL"_s;
        QTest::newRow("nothing chosen") << u""_s << u"nl_NL"_s << u"nl"_s << u"nl_NL"_s;
        QTest::newRow("not a language Zol has") << u"fr"_s << u"nl_NL"_s << u"nl"_s << u"nl_NL"_s;
        // English in the Netherlands: English texts, Dutch formats of
        // English (the week starting on Monday, 24-hour times).
        QTest::newRow("English in the Netherlands")
            << u"en"_s << u"nl_NL"_s << u"en"_s << u"en_NL"_s;
        QTest::newRow("Dutch in Belgium") << u"nl"_s << u"fr_BE"_s << u"nl"_s << u"nl_BE"_s;
        QTest::newRow("Dutch in the US") << u"nl"_s << u"en_US"_s << u"nl"_s << u"nl_NL"_s;
        QTest::newRow("the desktop's own") << u"nl"_s << u"nl_BE"_s << u"nl"_s << u"nl_BE"_s;
    }

    void choice()
    {
        QFETCH(QString, choice);
        QFETCH(QString, desktopLocale);
        QFETCH(QString, language);
        QFETCH(QString, locale);
        const Language::Resolved resolved =
            Language::resolve(choice, environment({u"LANG="_s + desktopLocale + u".UTF-8"_s}),
                              QLocale(desktopLocale));
        QCOMPARE(resolved.language, language);
        QCOMPARE(resolved.locale.name(), locale);
    }

    // The Dutch texts are built into the program and replace the English
    // ones, Qt's own included; going back to English leaves the English
    // plural forms.
    void installs()
    {
        qputenv("LANGUAGE", "nl");
        QCOMPARE(Language::install(QStringLiteral("nl")).language, QStringLiteral("nl"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("Annuleren"));
        QCOMPARE(QLocale().language(), QLocale::Dutch);

        QCOMPARE(Language::install(QStringLiteral("en")).language, QStringLiteral("en"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
        qunsetenv("LANGUAGE");
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
