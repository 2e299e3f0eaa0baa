#include "window/Sections.h"

#include "AppModel.h"
#include "WindowSection.h"
#include "window/DeletedSection.h"
#include "window/HistorySection.h"
#include "window/PersonalSection.h"
#include "window/SearchSection.h"

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

// One line per section.
Maker makerOf(const QString& id)
{
    if (id == u"history")
        return [](AppModel& m, QWidget* p) { return new HistorySection(m, p); };
    if (id == u"search")
        return [](AppModel& m, QWidget* p) { return new SearchSection(m, p); };
    if (id == u"personal")
        return [](AppModel& m, QWidget* p) { return new PersonalSection(m, p); };
    if (id == u"deleted")
        return [](AppModel& m, QWidget* p) { return new DeletedSection(m, p); };
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
