#include "window/Confirmation.h"

#include <QMessageBox>
#include <QPushButton>

namespace zol::ui::Confirm {

namespace {

Confirm::Asker& asker()
{
    static Confirm::Asker current;
    return current;
}

bool askWithMessageBox(QWidget* parent, const Confirmation& question)
{
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("confirmation"));
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(question.title);
    box.setText(question.title);
    box.setInformativeText(question.text);
    QPushButton* go = box.addButton(question.confirm, QMessageBox::DestructiveRole);
    go->setObjectName(QStringLiteral("confirm"));
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    // Going ahead is a deliberate act: Return cancels.
    box.setDefaultButton(cancel);
    box.exec();
    return box.clickedButton() == go;
}

} // namespace

bool ask(QWidget* parent, const Confirmation& question)
{
    if (asker())
        return asker()(parent, question);
    return askWithMessageBox(parent, question);
}

void setAsker(Asker replacement)
{
    asker() = std::move(replacement);
}

} // namespace zol::ui::Confirm
