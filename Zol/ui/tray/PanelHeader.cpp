#include "tray/PanelHeader.h"

#include "AppModel.h"
#include "tray/ArmedWork.h"
#include "tray/IdlePrompt.h"
#include "tray/SessionReadout.h"
#include "tray/TodaySummary.h"

#include <QApplication>
#include <QLineEdit>
#include <QStackedLayout>

namespace zol::ui {

using PanelState::Header;

PanelHeader::PanelHeader(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_pages(new QStackedLayout(this))
{
    setObjectName(QStringLiteral("panelHeader"));
    refresh();
}

PanelHeader::~PanelHeader() = default;

// A page is built the first time it is shown: most openings of the panel
// show one or two of the four, and a page never built costs no memory.
template <typename Page> Page* PanelHeader::built(Page*& page)
{
    if (page == nullptr) {
        page = new Page(m_model, this);
        m_pages->addWidget(page);
    }
    return page;
}

QWidget* PanelHeader::page(Header header)
{
    switch (header) {
    case Header::idlePrompt:
        return built(m_idle);
    case Header::session:
        return built(m_session);
    case Header::armed:
        return built(m_armed);
    case Header::today:
        break;
    }
    return built(m_today);
}

SessionReadout& PanelHeader::session()
{
    return *built(m_session);
}

bool PanelHeader::isConfirming() const
{
    return m_session != nullptr && m_session->isConfirming();
}

void PanelHeader::closeConfirmation()
{
    if (m_session != nullptr)
        m_session->closeConfirmation();
}

bool PanelHeader::isNoteField(const QWidget* widget) const
{
    return m_session != nullptr && widget == m_session->noteField();
}

void PanelHeader::refresh()
{
    m_shown = PanelState::header(m_model.panel());
    QWidget* shown = page(m_shown);
    switch (m_shown) {
    case Header::idlePrompt:
        m_idle->refresh();
        break;
    case Header::session:
        m_session->refresh();
        break;
    case Header::armed:
        m_armed->refresh();
        break;
    case Header::today:
        m_today->refresh();
        break;
    }
    // A hidden page takes no room: the header is as tall as the one shown.
    for (int i = 0; i < m_pages->count(); ++i) {
        QWidget* each = m_pages->widget(i);
        each->setSizePolicy(QSizePolicy::Preferred,
                            each == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    if (m_pages->currentWidget() != shown) {
        const bool hadFocus = isAncestorOf(QApplication::focusWidget());
        m_pages->setCurrentWidget(shown);
        // The focus does not stay on a page that went away.
        if (hadFocus && m_shown == Header::session)
            m_session->readout()->setFocus();
    }
    updateGeometry();
}

void PanelHeader::tick()
{
    if (m_shown == Header::session)
        m_session->tick();
    else if (m_shown == Header::today)
        m_today->refresh();
}

QList<QWidget*> PanelHeader::controls() const
{
    switch (m_shown) {
    case Header::idlePrompt:
        return {m_idle->firstControl(), m_idle->lastControl()};
    case Header::session:
        return m_session->controls();
    case Header::armed:
        return m_armed->controls();
    case Header::today:
        break;
    }
    return {};
}

} // namespace zol::ui
