#include "tray/ClientField.h"

#include "InputCheck.h"
#include "records/ClientName.h"
#include "tray/PanelStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace zol::ui {

ClientField::ClientField(QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_row(new QWidget(this))
    , m_rowLayout(new QHBoxLayout(m_row))
{
    m_edit->setAccessibleName(tr("Client"));
    m_edit->setMaxLength(int(InputCheck::longestName));
    connect(m_edit, &QLineEdit::textEdited, this, &ClientField::suggest);
    m_row->setObjectName(QStringLiteral("clientSuggestions"));
    m_rowLayout->setContentsMargins(0, 0, 0, 0);
    m_rowLayout->setSpacing(4);
    m_row->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_edit);
    layout->addWidget(m_row);
}

ClientField::~ClientField() = default;

void ClientField::setKnownClients(const QStringList& clients)
{
    m_known = clients;
    suggest();
}

QStringList ClientField::suggestions() const
{
    return m_shown;
}

void ClientField::suggest()
{
    const ClientName::Suggestions found =
        ClientName::suggestions(m_edit->text(), m_known, shownSuggestions);
    if (found.shown == m_shown)
        return;
    m_shown = found.shown;
    m_buttons.clear();
    while (QLayoutItem* item = m_rowLayout->takeAt(0)) {
        // Later: the button clicked may be the one going.
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
    for (const QString& client : found.shown) {
        auto* button = new QToolButton(m_row);
        button->setObjectName(QStringLiteral("clientSuggestion"));
        button->setText(PanelStyle::literal(client));
        button->setAccessibleName(tr("Use client %1").arg(client));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::StrongFocus);
        connect(button, &QToolButton::clicked, this, [this, client] {
            m_edit->setText(client);
            suggest();
            Q_EMIT suggestionTaken();
        });
        m_rowLayout->addWidget(button);
        m_buttons.append(button);
    }
    if (found.hidden() > 0) {
        auto* more = new QLabel(QStringLiteral("+") + QString::number(found.hidden()), m_row);
        PanelStyle::setTone(more, PanelStyle::Tone::secondary);
        m_rowLayout->addWidget(more);
    }
    m_rowLayout->addStretch();
    m_row->setVisible(!m_buttons.isEmpty());
}

} // namespace zol::ui
