#pragma once

#include <QFileIconProvider>

class QFileDialog;

namespace toolkit {

// The icons and type names of a file dialog's listing, taken from each entry's name and kind
// (drive, directory, file, link) only: no entry is ever opened or read. Qt's own provider names a
// file's type by sniffing its content on the GUI thread, which blocks for good on pseudo-files
// such as /proc/kmsg and on stalled mounts.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    // The style's icon for the entry's kind; a regular file gets its type's themed icon by name.
    QIcon icon(const QFileInfo& info) const override;
    // "Drive", "Folder", "Shortcut", "Unknown" in Qt's installed language; for a file, the
    // description of the type its name suggests.
    QString type(const QFileInfo& info) const override;

    using QFileIconProvider::icon;
};

// Makes `dialog` list with `provider` (which must outlive it) now, and again when it shows: a
// dialog that was meant to be native but falls back to Qt's own widgets builds them only then.
void ListByNameOnly(QFileDialog& dialog, NameOnlyIconProvider& provider);

}  // namespace toolkit
