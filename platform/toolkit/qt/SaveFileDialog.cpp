#include <QFile>
#include <QFileDialog>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/CommonDialog.h"
#include "platform/toolkit/RealDialogs.h"
#include "platform/toolkit/qt/DialogOwner.h"
#include "platform/toolkit/qt/NameOnlyIconProvider.h"
#include "platform/toolkit/qt/SaveDialogFilter.h"
#include "platform/toolkit/qt/ShownPath.h"

namespace toolkit {

std::optional<std::string> ShowSaveFileDialog(const SaveDialogRequest& request) {
    NameOnlyIconProvider icons;  // outlives the dialog, whose model and listing thread use it
    // Opened where it can show the path as it is, so that it never offers a lossy copy of a name.
    const std::string start = shown_path::NearestShownAncestor(request.directory);
    QFileDialog dialog(DialogOwner(), QString::fromStdString(request.title),
                       QFile::decodeName(QByteArray::fromStdString(start)));
    ListByNameOnly(dialog, icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFiltersOf(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     (request.flags & cdlOFNOverwritePrompt) == 0);
    dialog.setModal(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const std::optional<std::string> chosen =
        shown_path::BytesOfAnswer(dialog.selectedFiles().front());
    if (!chosen) {
        runtime::Raise(runtime::errBadFileName);
    }
    return chosen;
}

}  // namespace toolkit
