#include "window/ExportEverything.h"

#include "AppModel.h"
#include "ReportsModel.h"
#include "common/PaletteFollower.h"

#include <QCoreApplication>
#include <QMenu>
#include <QToolButton>

namespace zol::ui {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::ui::ExportEverything)
};

} // namespace

QToolButton* exportEverythingButton(AppModel& model, const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("exportEverything"));
    button->setText(text);
    button->setAccessibleName(Texts::tr("Export everything"));
    followIcon(button, QStringLiteral("export"));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    const auto add = [&](const QString& label, const QString& name, EntryExporter::Format format) {
        QAction* action = menu->addAction(label);
        action->setObjectName(name);
        QObject::connect(action, &QAction::triggered, button, [&model, format] {
            model.reports()->exportSessions(ExportScope::everything(), format);
        });
    };
    add(Texts::tr("CSV (spreadsheet)"), QStringLiteral("exportEverythingCsv"),
        EntryExporter::Format::csv);
    add(QStringLiteral("JSON"), QStringLiteral("exportEverythingJson"),
        EntryExporter::Format::json);
    button->setMenu(menu);
    return button;
}

} // namespace zol::ui
