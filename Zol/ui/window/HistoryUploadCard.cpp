#include "window/HistoryUploadCard.h"

#include "AppModel.h"
#include "SharingModel.h"
#include "UploadControl.h"
#include "common/Icons.h"
#include "common/Widgets.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zol::ui {

HistoryUploadCard::HistoryUploadCard(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_icon(new QLabel(this))
    , m_caption(new QLabel(this))
    , m_help(secondaryLabel(QString(), this))
    , m_reveal(new QPushButton(tr("Show uploaded file"), this))
    , m_busy(new QProgressBar(this))
    , m_send(new QPushButton(this))
{
    setObjectName(QStringLiteral("uploadCard"));
    m_caption->setObjectName(QStringLiteral("uploadCaption"));
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_help->setObjectName(QStringLiteral("uploadHelp"));
    m_reveal->setObjectName(QStringLiteral("showUploadedFile"));
    m_reveal->setAccessibleName(tr("Show uploaded file"));
    m_reveal->setFlat(true);
    m_busy->setObjectName(QStringLiteral("uploadBusy"));
    m_busy->setAccessibleName(tr("Uploading"));
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setFixedWidth(72);
    m_send->setObjectName(QStringLiteral("uploadButton"));

    auto* text = new QVBoxLayout();
    text->setSpacing(2);
    text->addWidget(m_caption);
    text->addWidget(m_help);
    auto* row = new QHBoxLayout();
    row->setSpacing(12);
    row->addWidget(m_icon, 0, Qt::AlignTop);
    row->addLayout(text, 1);
    row->addWidget(m_reveal, 0, Qt::AlignVCenter);
    row->addWidget(m_busy, 0, Qt::AlignVCenter);
    row->addWidget(m_send, 0, Qt::AlignVCenter);
    auto* card = new Card(this);
    card->body()->addLayout(row);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(card);

    SharingModel* sharing = model.sharing();
    connect(m_send, &QPushButton::clicked, this, [this] { m_model.sharing()->uploadTimesheet(); });
    connect(m_reveal, &QPushButton::clicked, this,
            [this] { m_model.sharing()->revealTimesheet(); });
    for (const auto signal :
         {&SharingModel::uploadStateChanged, &SharingModel::isUploadingChanged,
          &SharingModel::periodChanged, &SharingModel::timesheetFileChanged,
          &SharingModel::periodHasRunningEntryChanged,
          &SharingModel::periodIsUploadedAutomaticallyChanged, &SharingModel::canUploadChanged})
        connect(sharing, signal, this, &HistoryUploadCard::follow);
    follow();
}

HistoryUploadCard::~HistoryUploadCard() = default;

void HistoryUploadCard::follow()
{
    const UploadControl control = UploadControl::of(m_model.books(), *m_model.sharing());
    m_caption->setText(control.caption);
    m_help->setText(control.help);
    m_help->setVisible(!control.help.isEmpty());
    m_send->setText(control.buttonTitle);
    m_send->setAccessibleName(control.buttonTitle);
    m_send->setEnabled(control.canSend);
    m_busy->setVisible(control.isBusy);
    m_reveal->setVisible(control.canReveal);
    m_icon->setPixmap(Icons::pixmap(QStringLiteral("upload"), 18,
                                    palette().color(QPalette::WindowText), devicePixelRatioF()));
}

void HistoryUploadCard::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        follow();
    QWidget::changeEvent(event);
}

} // namespace zol::ui
