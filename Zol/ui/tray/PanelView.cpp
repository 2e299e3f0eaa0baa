#include "tray/PanelView.h"

#include "AppModel.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zol::ui {

PanelView::PanelView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("panelView"));
    auto* layout = new QVBoxLayout(this);
    auto* quit = new QPushButton(QStringLiteral("Quit Zol"), this);
    quit->setObjectName(QStringLiteral("quitZol"));
    connect(quit, &QPushButton::clicked, this, &PanelView::quitRequested);
    layout->addWidget(new QLabel(QStringLiteral("Zol"), this));
    layout->addWidget(quit);
    setFixedWidth(360);
}

PanelView::~PanelView() = default;

void PanelView::prepareToShow() {}

void PanelView::discardForms() {}

} // namespace zol::ui
