#include "window/ConfirmSheet.h"

#include "common/PaletteFollower.h"
#include "common/Theme.h"
#include "common/Widgets.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zol::ui {

ConfirmSheet::ConfirmSheet(const QString& question, const QString& explanation,
                           const QString& action, QWidget* parent)
    : QDialog(parent, dialogFlags)
    , m_body(new QVBoxLayout())
    , m_confirm(new QPushButton(action, this))
{
    setWindowTitle(question);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 20, 22, 16);
    layout->setSpacing(10);
    QLabel* title = titleLabel(question, this, 1.15);
    title->setObjectName(QStringLiteral("question"));
    layout->addWidget(title);
    QLabel* text = wrapping(new QLabel(explanation, this));
    text->setObjectName(QStringLiteral("explanation"));
    layout->addWidget(text);
    m_body->setSpacing(8);
    layout->addLayout(m_body);
    layout->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_confirm->setObjectName(QStringLiteral("confirm"));
    m_confirm->setAccessibleName(action);
    m_confirm->setDefault(true);
    buttons->addButton(m_confirm, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // A width of its own, so that the wrapped sentences know their height.
    setFixedWidth(460);
}

ConfirmSheet::~ConfirmSheet() = default;

QSize ConfirmSheet::sizeHint() const
{
    return {width(), heightForWidth(width())};
}

void ConfirmSheet::setDestructive(bool destructive)
{
    followPalette(m_confirm, [this, destructive] {
        QPalette own;
        own.setResolveMask(0);
        // Disabled, it looks disabled like any other button.
        if (destructive) {
            const QColor red = Theme::failure(inheritedPalette(m_confirm));
            own.setColor(QPalette::Active, QPalette::ButtonText, red);
            own.setColor(QPalette::Inactive, QPalette::ButtonText, red);
        }
        m_confirm->setPalette(own);
    });
    // Return must not destroy anything by accident.
    m_confirm->setAutoDefault(!destructive);
    m_confirm->setDefault(!destructive);
    m_cancel->setDefault(destructive);
}

} // namespace zol::ui
