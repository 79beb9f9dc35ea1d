#include "platform/toolkit/qt/SaveDialogFilter.h"

namespace toolkit {

namespace {

// The classic filter separates the patterns of one entry with ";", the Qt dialog with blanks.
QString Patterns(const QString& patterns) {
    QStringList parts = patterns.split(u';', Qt::SkipEmptyParts);
    for (QString& part : parts) {
        part = part.trimmed();
    }
    parts.removeAll(QString());
    return parts.join(u' ');
}

}  // namespace

QStringList NameFiltersOf(const std::string& filter) {
    const QStringList fields = QString::fromStdString(filter).split(u'|');
    if (fields.size() == 1) {
        const QString patterns = Patterns(fields.front());
        return patterns.isEmpty() ? QStringList() : QStringList{patterns};
    }
    QStringList filters;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString patterns = Patterns(fields[i + 1]);
        if (!patterns.isEmpty()) {
            filters.push_back(fields[i].trimmed() + QStringLiteral(" (") + patterns + u')');
        }
    }
    return filters;
}

}  // namespace toolkit
