#include "window/SessionDetails.h"

#include "AppModel.h"
#include "Captions.h"
#include "HistoryCaptions.h"
#include "HistoryModel.h"
#include "common/Widgets.h"
#include "window/SessionEditor.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zol::ui {

SessionDetails::SessionDetails(AppModel& model, const TimeEntry& entry, QWidget* parent)
    : QDialog(parent, dialogFlags)
    , m_model(model)
    , m_entry(entry)
    , m_title(titleLabel(QString(), this, 1.25))
    , m_client(secondaryLabel(QString(), this))
    , m_facts(new QFormLayout())
{
    setObjectName(QStringLiteral("sessionDetails"));
    setWindowTitle(tr("Session"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_title->setObjectName(QStringLiteral("detailsTitle"));
    m_client->setObjectName(QStringLiteral("detailsClient"));
    m_facts->setLabelAlignment(Qt::AlignRight);
    m_facts->setHorizontalSpacing(16);
    m_facts->setVerticalSpacing(8);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* edit = buttons->addButton(tr("Edit…"), QDialogButtonBox::ActionRole);
    edit->setObjectName(QStringLiteral("editSession"));
    edit->setAccessibleName(tr("Edit this session"));
    QPushButton* remove = buttons->addButton(tr("Delete"), QDialogButtonBox::DestructiveRole);
    remove->setObjectName(QStringLiteral("deleteSession"));
    remove->setAccessibleName(tr("Delete this session"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("closeDetails"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(edit, &QPushButton::clicked, this, [this] {
        Q_EMIT editRequested(m_entry);
        accept();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        m_model.history()->deleteEntries({m_entry.id});
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 18, 22, 16);
    layout->setSpacing(6);
    layout->addWidget(m_title);
    layout->addWidget(m_client);
    layout->addSpacing(10);
    layout->addLayout(m_facts);
    layout->addSpacing(12);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    connect(model.history(), &HistoryModel::historyEntriesChanged, this, &SessionDetails::reload);
    // The copy given may be older than an upload or an edit since.
    if (const std::optional<TimeEntry> stored = model.history()->entry(entry.id))
        m_entry = *stored;
    fill();
}

SessionDetails::~SessionDetails() = default;

SessionDetails* SessionDetails::openFor(AppModel& model, const TimeEntry& entry, QWidget* parent)
{
    auto* details = new SessionDetails(model, entry, parent);
    details->setWindowFlag(Qt::Dialog);
    connect(details, &SessionDetails::editRequested, parent, [&model, parent](const TimeEntry& e) {
        auto* editor = new SessionEditor(model, e, parent);
        editor->setWindowFlag(Qt::Dialog);
        editor->open();
    });
    details->open();
    return details;
}

void SessionDetails::reload()
{
    const std::optional<TimeEntry> now = m_model.history()->entry(m_entry.id);
    if (!now) {
        // Deleted, here or elsewhere: nothing left to show.
        close();
        return;
    }
    m_entry = *now;
    fill();
}

void SessionDetails::fill()
{
    const TimeEntry& e = m_entry;
    m_title->setText(Captions::sessionTitle(e));
    m_title->setAccessibleName(m_title->text());
    m_client->setText(e.isInternal ? tr("Internal work") : e.clientName);
    m_client->setVisible(!m_client->text().isEmpty());
    while (m_facts->rowCount() > 0)
        m_facts->removeRow(0);
    const QList<SessionFact> facts =
        HistoryCaptions::details(e, m_model.clock().now(), m_model.books().calendar());
    for (const SessionFact& fact : facts) {
        QLabel* label = secondaryLabel(fact.label, this);
        label->setWordWrap(false);
        QLabel* value = wrapping(new QLabel(fact.value, this));
        value->setObjectName(QStringLiteral("fact") + fact.label);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setAccessibleName(fact.label);
        m_facts->addRow(label, value);
    }
}

} // namespace zol::ui
