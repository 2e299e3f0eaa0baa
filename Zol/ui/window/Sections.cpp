#include "window/Sections.h"

#include "AppModel.h"
#include "WindowSection.h"
#include "window/AdministrationsSection.h"
#include "window/AnalyticsSection.h"
#include "window/DeletedSection.h"
#include "window/GeneralSection.h"
#include "window/HistorySection.h"
#include "window/PersonalSection.h"
#include "window/ProjectsSection.h"
#include "window/SearchSection.h"
#include "window/StudioSection.h"
#include "window/TasksSection.h"

#include <QLabel>
#include <QVBoxLayout>

#include <functional>

namespace zol::ui {

UnbuiltSection::UnbuiltSection(const QString& label, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(label, this);
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    title->setFont(font);
    layout->addWidget(title);
    layout->addStretch();
}

namespace {

using Maker = std::function<QWidget*(AppModel&, QWidget*)>;

template <typename Section> Maker made()
{
    return [](AppModel& model, QWidget* parent) -> QWidget* { return new Section(model, parent); };
}

// One line per section.
Maker makerOf(const QString& id)
{
    if (id == u"history")
        return made<HistorySection>();
    if (id == u"search")
        return made<SearchSection>();
    if (id == u"reports")
        return made<AnalyticsSection>();
    if (id == u"personal")
        return made<PersonalSection>();
    if (id == u"projects")
        return made<ProjectsSection>();
    if (id == u"tasks")
        return made<TasksSection>();
    if (id == u"studio")
        return made<StudioSection>();
    if (id == u"general")
        return made<GeneralSection>();
    if (id == u"administrations")
        return made<AdministrationsSection>();
    if (id == u"deleted")
        return made<DeletedSection>();
    return nullptr;
}

} // namespace

QWidget* makeSection(const QString& id, AppModel& model, QWidget* parent)
{
    if (const Maker maker = makerOf(id))
        return maker(model, parent);
    for (const WindowSection& section : windowSections()) {
        if (section.id == id)
            return new UnbuiltSection(section.label, parent);
    }
    return new UnbuiltSection(id, parent);
}

} // namespace zol::ui
