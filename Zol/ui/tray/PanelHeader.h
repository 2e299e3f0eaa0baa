#pragma once

#include "PanelState.h"

#include <QWidget>

class QStackedLayout;

namespace zol {
class AppModel;
}

namespace zol::ui {

class ArmedWork;
class IdlePrompt;
class SessionReadout;
class TodaySummary;

// The top of the panel: exactly one of the away-time question, the current
// session, the armed work and today's total, as the controller says
// (PanelState::header). Only the page shown takes room.
class PanelHeader final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelHeader)

public:
    explicit PanelHeader(AppModel& model, QWidget* parent = nullptr);
    ~PanelHeader() override;

    // Shows the page the controller calls for, up to date.
    void refresh();
    // The clock went on: the running time and today's total.
    void tick();

    PanelState::Header shown() const { return m_shown; }
    // The session's page, built when first asked for.
    SessionReadout& session();
    // Whether the session's page asks whether to cancel the recording, and
    // taking that question back; false and nothing while it was never built.
    bool isConfirming() const;
    void closeConfirmation();
    bool isNoteField(const QWidget* widget) const;
    // The focusable controls of the page shown, top to bottom.
    QList<QWidget*> controls() const;

private:
    QWidget* page(PanelState::Header header);
    template <typename Page> Page* built(Page*& page);

    AppModel& m_model;
    QStackedLayout* m_pages;
    IdlePrompt* m_idle = nullptr;
    SessionReadout* m_session = nullptr;
    ArmedWork* m_armed = nullptr;
    TodaySummary* m_today = nullptr;
    PanelState::Header m_shown = PanelState::Header::today;
};

} // namespace zol::ui
