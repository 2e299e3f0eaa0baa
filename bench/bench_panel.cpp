// The tray's panel over books of 5,000 projects: opening it (everything read
// from the controller, shown, laid out and drawn) must take under 50 ms, and
// a key typed into the search field (the list read again, laid out and
// drawn) under 16 ms, one frame. Each figure is printed beside the
// controller's own work for it in the same run, pickerProjects() for that
// filter, which the panel cannot do without.
//
// Runs offscreen by itself. The program exits 0 whatever the figures; only a
// failure to set up is an error.

#include "AppModel.h"
#include "BenchSupport.h"
#include "Platform.h"
#include "books/SettingsStore.h"
#include "store/EntryStore.h"
#include "support/Timestamps.h"
#include "tray/Panel.h"
#include "tray/PanelView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QUuid>
#include <memory>

namespace {

using namespace zol;
using namespace zol::bench;
using namespace Qt::StringLiterals;

const int projectCount = sized(5'000, 200);
const int repetitions = rounds(21);
constexpr double openBudget = 0.050;
constexpr double keystrokeBudget = 0.016;

const QStringList words{u"Brand book"_s, u"Website"_s,   u"Annual report"_s, u"Posters"_s,
                        u"Signage"_s,    u"Packaging"_s, u"Campaign"_s,      u"Exhibition"_s};

// Projects numbered from 20001 for 300 clients, and the last 200 sessions
// spread over a few dozen of them, as years of a studio's books look.
void fill(EntryStore& store)
{
    const QDateTime created(QDate(2020, 1, 1), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < projectCount; ++i) {
        const QString client = u"Client "_s + QString::number(i % 300).rightJustified(3, u'0');
        store.addManualProject(Project{QString::number(20001 + i),
                                       words.at(i % words.size()) + u' ' + QString::number(i),
                                       client, true, created, created});
    }
    for (int i = 0; i < 200; ++i) {
        const int project = (i * 37) % projectCount;
        TimeEntry entry;
        entry.id = newUuid();
        entry.machineName = u"bench"_s;
        entry.startedAt = created.addDays(i);
        entry.endedAt = entry.startedAt.addSecs(3600);
        entry.projectSerial = QString::number(20001 + project);
        entry.projectName = words.at(project % words.size());
        entry.createdAt = entry.startedAt;
        entry.updatedAt = entry.startedAt;
        store.save(entry);
    }
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents();
}

void typeKey(QWidget* field, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &release);
}

// The controller's work for the picker with `filter` typed, without telling
// the panel.
qsizetype pickerWork(AppModel& model, const QString& filter)
{
    const QSignalBlocker quiet(&model);
    const QString before = model.panel().projectFilter();
    model.panel().setProjectFilter(filter);
    const qsizetype shown = model.panel().pickerProjects().size();
    model.panel().setProjectFilter(before);
    return shown;
}

QString verdict(double seconds, double budget)
{
    if (isSmokeRun())
        return u"target under "_s + duration(budget) + u" (smoke run: not judged)"_s;
    return u"target under "_s + duration(budget) + (seconds < budget ? u"  PASS"_s : u"  FAIL"_s);
}

int run()
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(u"data"_s)));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(u"config"_s)));

    SettingsStore defaults{QString()};
    std::unique_ptr<Platform> platform = Platform::doingNothing();
    AppModel model(defaults, Clock::system(), *platform,
                   [](const QString&, const Clock& clock) { return EntryStore::inMemory(clock); });
    model.books().setRunsBackgroundWork(false);
    fill(*model.books().store());
    model.bootstrap();
    if (model.books().tracker()->projects().size() != projectCount) {
        print(u"setup failed: the tracker lists "_s +
              QString::number(model.books().tracker()->projects().size()) + u" projects\n"_s);
        return 1;
    }

    ui::Panel panel(model, ui::Panel::Mode::window);
    QLineEdit* search = panel.view().findChild<QLineEdit*>(u"search"_s);
    panel.open({}, {});
    settle();

    print(u"The tray's panel over "_s + count(projectCount) + u" projects, median of "_s +
          QString::number(repetitions) + u" runs\n\n"_s);

    // Opening: what Panel::open does, then the layout and drawing it sets off.
    std::vector<double> opens;
    std::vector<double> openWork;
    for (int i = 0; i < repetitions; ++i) {
        panel.close();
        settle();
        opens.push_back(timeOnce([&] {
            panel.open({}, {});
            settle();
        }));
        openWork.push_back(timeOnce([&] { pickerWork(model, {}); }));
    }
    const Timings opening{median(opens), median(openWork)};
    report({u"Opening the panel"_s, u"open, lay out and draw"_s,
            u"pickerProjects(), empty filter"_s, opening, 1, verdict(opening.figure, openBudget),
            false});

    // The tray app frees the panel when it closes and builds it again when it
    // opens: the same, with the widgets made first.
    panel.close();
    settle();
    std::vector<double> builds;
    std::vector<double> buildWork;
    for (int i = 0; i < repetitions; ++i) {
        std::unique_ptr<ui::Panel> fresh;
        builds.push_back(timeOnce([&] {
            fresh = std::make_unique<ui::Panel>(model, ui::Panel::Mode::window);
            fresh->open({}, {});
            settle();
        }));
        buildWork.push_back(timeOnce([&] { pickerWork(model, {}); }));
        fresh.reset();
        settle();
    }
    const Timings building{median(builds), median(buildWork)};
    report({u"Opening the panel built afresh"_s, u"build, open, lay out and draw"_s,
            u"pickerProjects(), empty filter"_s, building, 1, verdict(building.figure, openBudget),
            false});
    panel.open({}, {});
    settle();

    // A key in the search field: the first (thousands of matches) and one
    // that narrows them.
    struct Keystroke
    {
        QString title;
        QString before;
        Qt::Key key;
        QString typed;
    };
    const QList<Keystroke> keystrokes{
        {u"A first key in the search field"_s, QString(), Qt::Key_2, u"2"_s},
        {u"A key that narrows the search"_s, u"client 1"_s, Qt::Key_2, u"2"_s},
        {u"A key that leaves one match"_s, u"2450"_s, Qt::Key_0, u"0"_s},
    };
    for (const Keystroke& key : keystrokes) {
        const QString after = key.before + key.typed;
        std::vector<double> typed;
        std::vector<double> work;
        for (int i = 0; i < repetitions; ++i) {
            model.panel().setProjectFilter(key.before);
            search->setFocus();
            search->end(false);
            settle();
            typed.push_back(timeOnce([&] {
                typeKey(search, key.key, key.typed);
                settle();
            }));
            work.push_back(timeOnce([&] { pickerWork(model, after); }));
        }
        const Timings timings{median(typed), median(work)};
        const qsizetype shown = pickerWork(model, after);
        const QString note = QString::number(shown) +
                             (shown == 1 ? u" project shown · "_s : u" projects shown · "_s) +
                             verdict(timings.figure, keystrokeBudget);
        report({key.title + u" (“"_s + key.before + u"” to “"_s + after + u"”)"_s,
                u"key, list, layout, drawing"_s, u"pickerProjects() for “"_s + after + u"”"_s,
                timings, 1, note, false});
    }
    model.panel().setProjectFilter({});
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return run();
}
