#pragma once

#include <QStringList>
#include <QWidget>

class QHBoxLayout;
class QLineEdit;
class QToolButton;

namespace zol::ui {

// "Client" with the clients already known offered under it as the name is
// typed: a click (or Return on one) takes the spelling, so one client is not
// typed two ways.
class ClientField final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClientField)

public:
    // At most this many suggestions show.
    static constexpr int shownSuggestions = 3;

    explicit ClientField(QWidget* parent = nullptr);
    ~ClientField() override;

    QLineEdit* lineEdit() const { return m_edit; }
    // The clients to suggest from (the catalogue's, one spelling each).
    void setKnownClients(const QStringList& clients);
    // The suggestions shown now.
    QStringList suggestions() const;
    QList<QToolButton*> suggestionButtons() const { return m_buttons; }

Q_SIGNALS:
    // A suggestion was taken; the field holds it.
    void suggestionTaken();

private:
    void suggest();

    QLineEdit* m_edit;
    QWidget* m_row;
    QHBoxLayout* m_rowLayout;
    QList<QToolButton*> m_buttons;
    QStringList m_known;
    QStringList m_shown;
};

} // namespace zol::ui
