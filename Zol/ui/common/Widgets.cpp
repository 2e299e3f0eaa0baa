#include "common/Widgets.h"

#include "common/Theme.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace zol::ui {

namespace {

// The secondary colour of the palette the label would have without its own.
QColor secondaryFor(const QLabel* label)
{
    const QWidget* parent = label->parentWidget();
    return Theme::secondaryText(parent ? parent->palette() : QApplication::palette(label));
}

void paintSecondary(QLabel* label)
{
    const QColor colour = secondaryFor(label);
    if (label->palette().color(QPalette::WindowText) == colour)
        return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// Keeps a secondary label secondary when the palette around it changes
// (light to dark): the colour it was given would otherwise stay the old one.
class SecondaryInk final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange) {
            if (auto* label = qobject_cast<QLabel*>(watched))
                paintSecondary(label);
        }
        return false;
    }
};

} // namespace

QLabel* cardTitle(const QString& text, QWidget* parent)
{
    return titleLabel(text, parent, 1.05);
}

QLabel* wrapping(QLabel* label)
{
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* secondaryLabel(const QString& text, QWidget* parent)
{
    auto* label = wrapping(new QLabel(text, parent));
    paintSecondary(label);
    label->installEventFilter(new SecondaryInk(label));
    return label;
}

QLabel* titleLabel(const QString& text, QWidget* parent, qreal scale)
{
    auto* label = wrapping(new QLabel(text, parent));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(true);
    label->setFont(font);
    return label;
}

Card::Card(QWidget* parent)
    : QFrame(parent)
    , m_body(new QVBoxLayout(this))
{
    m_body->setContentsMargins(16, 14, 16, 14);
    m_body->setSpacing(8);
}

void Card::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::card(palette()));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
}

SectionPage::SectionPage(const QString& title, const QString& lede, QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(28, 22, 28, 22);
    column->setSpacing(14);
    m_title = titleLabel(title, page, 1.6);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setAccessibleName(title);
    m_lede = secondaryLabel(lede, page);
    m_lede->setObjectName(QStringLiteral("lede"));
    m_lede->setVisible(!lede.isEmpty());
    column->addWidget(m_title);
    column->addWidget(m_lede);
    m_content = new QVBoxLayout();
    m_content->setSpacing(14);
    column->addLayout(m_content);
    column->addStretch();
    setWidget(page);
}

EmptyState::EmptyState(const QString& title, const QString& text, QWidget* parent)
    : QWidget(parent)
    , m_title(titleLabel(title, this, 1.2))
    , m_text(secondaryLabel(text, this))
{
    m_title->setObjectName(QStringLiteral("emptyTitle"));
    m_text->setObjectName(QStringLiteral("emptyText"));
    m_title->setAlignment(Qt::AlignHCenter);
    m_text->setAlignment(Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_title);
    layout->addWidget(m_text);
    layout->addStretch();
}

void EmptyState::setTexts(const QString& title, const QString& text)
{
    m_title->setText(title);
    m_text->setText(text);
}

} // namespace zol::ui
