#include "platform/toolkit/qt/ShownPath.h"

#include <sys/stat.h>

#include <QFile>
#include <QString>
#include <vector>

#include "platform/toolkit/PathText.h"

namespace toolkit::shown_path {

namespace {

const std::string kReplacementCharacter = "\xef\xbf\xbd";  // U+FFFD in UTF-8

bool Exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

}  // namespace

bool RoundTrips(const std::string& path) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

std::string NearestShownAncestor(const std::string& path) {
    const std::vector<std::string> components = path_text::Components(path);
    for (std::size_t count = components.size(); count > 0; --count) {
        const std::string ancestor = path_text::Prefix(components, count);
        if (RoundTrips(ancestor)) {
            return ancestor;
        }
    }
    return "/";
}

std::optional<std::string> BytesOfAnswer(const QString& answer) {
    const QByteArray encoded = QFile::encodeName(answer);
    if (QFile::decodeName(encoded) != answer) {
        return std::nullopt;
    }
    const std::string bytes = encoded.toStdString();
    const std::vector<std::string> components = path_text::Components(path_text::Normalise(bytes));
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (components[i].find(kReplacementCharacter) != std::string::npos &&
            !Exists(path_text::Prefix(components, i + 1))) {
            return std::nullopt;
        }
    }
    return bytes;
}

}  // namespace toolkit::shown_path
