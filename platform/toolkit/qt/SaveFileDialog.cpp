#include <QFile>
#include <QFileDialog>

#include "platform/toolkit/RealDialogs.h"
#include "platform/toolkit/qt/DialogOwner.h"
#include "platform/toolkit/qt/SaveDialogFilter.h"

namespace toolkit {

std::optional<std::string> ShowSaveFileDialog(const SaveDialogRequest& request) {
    QFileDialog dialog(DialogOwner(), QString::fromStdString(request.title),
                       QFile::decodeName(QByteArray::fromStdString(request.directory)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFiltersOf(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    dialog.setModal(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

}  // namespace toolkit
