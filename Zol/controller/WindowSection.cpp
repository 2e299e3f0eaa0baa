#include "WindowSection.h"

#include <QCoreApplication>

#include <iterator>

namespace zol {

namespace {

constexpr const char* context = "zol::controller::WindowSection";

// The sections in sidebar order: what the controller stores, and the label
// before it is translated.
constexpr struct
{
    const char* id;
    const char* label;
} sections[] = {
    {"history", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "History")},
    {"search", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "Search")},
    {"reports", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "Analytics")},
    {"personal", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "Personal")},
    {"projects", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "Projects")},
    {"tasks", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "Tasks")},
    {"studio", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "Studio")},
    {"general", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "General")},
    {"administrations", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "Administrations")},
    {"deleted", QT_TRANSLATE_NOOP("zol::controller::WindowSection", "Deleted")},
};

} // namespace

QList<WindowSection> windowSections()
{
    // Made at each call, so the labels are in the language of the moment.
    QList<WindowSection> list;
    list.reserve(std::size(sections));
    for (const auto& section : sections)
        list.append(
            {QString::fromLatin1(section.id), QCoreApplication::translate(context, section.label)});
    return list;
}

} // namespace zol
