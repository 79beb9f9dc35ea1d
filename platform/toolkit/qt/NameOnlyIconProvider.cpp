#include "platform/toolkit/qt/NameOnlyIconProvider.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QMimeDatabase>

namespace toolkit {

namespace {

bool IsRoot(const QFileInfo& info) {
    return info.absoluteFilePath() == QStringLiteral("/");
}

// The type a file's name suggests: its extension against the MIME globs, content never looked at.
QMimeType TypeByName(const QFileInfo& info) {
    return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
}

// Qt's Italian catalogue holds these names in the file dialog's context.
QString Translated(const char* text) {
    return QApplication::translate("QFileDialog", text);
}

// Sets the provider on the dialog each time it shows, in case its widgets were built only then.
class ProviderOnShow : public QObject {
public:
    ProviderOnShow(QFileDialog& dialog, NameOnlyIconProvider& provider)
        : QObject(&dialog), dialog_(dialog), provider_(provider) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &dialog_ && event->type() == QEvent::Show &&
            dialog_.iconProvider() != &provider_) {
            dialog_.setIconProvider(&provider_);
        }
        return false;
    }

private:
    QFileDialog& dialog_;
    NameOnlyIconProvider& provider_;
};

}  // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (IsRoot(info)) {
        return icon(Drive);
    }
    if (info.isDir()) {
        return icon(Folder);
    }
    if (!info.isFile()) {
        return icon(File);
    }
    const QMimeType mime = TypeByName(info);
    return QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName(), icon(File)));
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    if (IsRoot(info)) {
        return Translated("Drive");
    }
    if (info.isDir()) {
        return Translated("Folder");
    }
    if (info.isFile()) {
        const QMimeType mime = TypeByName(info);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }
    if (info.isSymLink()) {
        return Translated("Shortcut");
    }
    return Translated("Unknown");
}

void ListByNameOnly(QFileDialog& dialog, NameOnlyIconProvider& provider) {
    dialog.setIconProvider(&provider);
    dialog.installEventFilter(new ProviderOnShow(dialog, provider));
}

}  // namespace toolkit
