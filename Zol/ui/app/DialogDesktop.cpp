#include "app/DialogDesktop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMimeDatabase>
#include <QWidget>

namespace zol::ui {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::ui::DialogDesktop)
};

} // namespace

DialogDesktop::DialogDesktop(std::unique_ptr<Desktop> underneath)
    : m_underneath(std::move(underneath))
{
}

DialogDesktop::~DialogDesktop() = default;

ServiceAvailability DialogDesktop::availability()
{
    return m_underneath->availability();
}

void DialogDesktop::reveal(const QString& path)
{
    m_underneath->reveal(path);
}

void DialogDesktop::openUrl(const QUrl& url)
{
    m_underneath->openUrl(url);
}

std::optional<QString> DialogDesktop::askWhereToSave(const SaveRequest& request)
{
    QWidget* parent = QApplication::activeWindow();
    QFileDialog dialog(parent, request.title);
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDirectory(QDir::homePath());
    if (!request.message.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, Texts::tr("Save"));
    if (request.contentType == u"inode/directory") {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        // Without a name to give it, the folder is one that exists already
        // (the studio folder): chosen, not saved over.
        if (request.suggestedName.isEmpty()) {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setLabelText(QFileDialog::Accept, Texts::tr("Choose"));
        }
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setMimeTypeFilters({request.contentType});
        const QMimeType type = QMimeDatabase().mimeTypeForName(request.contentType);
        if (type.isValid())
            dialog.setDefaultSuffix(type.preferredSuffix());
    }
    dialog.selectFile(request.suggestedName);
    if (!request.canCreateFolders)
        dialog.setOption(QFileDialog::ReadOnly, false);
    // In front of everything: the app may have no window of its own showing.
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace zol::ui
