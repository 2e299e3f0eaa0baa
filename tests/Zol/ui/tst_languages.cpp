// Every screen in each language Zol speaks: the main window's sections, the
// tray panel and the welcome window over sample books, with no one-line text
// cut short (Dutch runs a quarter longer than English), and pictures of each
// in light and dark for a person to look at ("nl-history-light.png").

#include "AppModel.h"
#include "Books.h"
#include "SampleBooks.h"
#include "Screenshots.h"
#include "WindowSection.h"
#include "support/Language.h"
#include "tray/PanelView.h"
#include "welcome/WelcomeWindow.h"
#include "window/MainWindow.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

namespace {

// The texts on one line that do not fit their widget: labels that do not
// wrap, and buttons.
QStringList cutShort(const QWidget& screen)
{
    QStringList found;
    const auto place = [](const QWidget* w) {
        return (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                          : w->objectName());
    };
    for (const QLabel* label : screen.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&screen) || label->wordWrap() || label->text().isEmpty() ||
            !label->pixmap().isNull())
            continue;
        if (label->width() < label->minimumSizeHint().width())
            found.append(place(label) + u": “"_s + label->text() + u"” needs "_s +
                         QString::number(label->minimumSizeHint().width()) + u" px, has "_s +
                         QString::number(label->width()));
    }
    for (const QAbstractButton* button : screen.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&screen) || button->text().isEmpty())
            continue;
        if (button->width() < button->sizeHint().width())
            found.append(place(button) + u": “"_s + button->text() + u"” needs "_s +
                         QString::number(button->sizeHint().width()) + u" px, has "_s +
                         QString::number(button->width()));
    }
    return found;
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<SampleBooks> m_sample;

    AppModel& model() { return *m_books->model; }

private Q_SLOTS:
    void init()
    {
        QFETCH_GLOBAL(QString, language);
        Language::install(language);
        m_books = std::make_unique<Books>();
        m_sample = std::make_unique<SampleBooks>(*m_books);
    }
    void cleanup()
    {
        m_sample.reset();
        m_books.reset();
        Language::install(u"en"_s);
    }

    void initTestCase_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << u"en"_s;
        QTest::newRow("Dutch") << u"nl"_s;
    }

    // The window at the size it opens at.
    void sections()
    {
        QFETCH_GLOBAL(QString, language);
        QCOMPARE(windowSections().first().label,
                 language == u"nl" ? u"Geschiedenis"_s : u"History"_s);
        MainWindow window(model());
        window.setFixedSize(1100, 760);
        window.present();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList found;
        for (const WindowSection& section : windowSections()) {
            model().setWindowSection(section.id);
            QCoreApplication::processEvents();
            for (const QString& cut : cutShort(window))
                found.append(section.id + u": "_s + cut);
            if (language != u"en")
                saveScreenshots(window, language + u'-' + section.id);
        }
        found.removeDuplicates();
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    void panelAndWelcome()
    {
        QFETCH_GLOBAL(QString, language);
        PanelView panel(model());
        panel.prepareToShow();
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QStringList found = cutShort(panel);
        WelcomeWindow welcome(model());
        welcome.show();
        QVERIFY(QTest::qWaitForWindowExposed(&welcome));
        found += cutShort(welcome);
        if (language != u"en") {
            saveScreenshots(panel, language + u"-panel"_s);
            saveScreenshots(welcome, language + u"-welcome"_s);
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
