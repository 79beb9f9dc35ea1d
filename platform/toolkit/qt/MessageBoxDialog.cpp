#include <QApplication>
#include <QMessageBox>

#include "platform/toolkit/MsgBox.h"
#include "platform/toolkit/RealDialogs.h"
#include "platform/toolkit/qt/DialogOwner.h"

namespace toolkit {

namespace {

constexpr int kIconBits = 0x70;

QMessageBox::Icon IconOfStyle(int style) {
    switch (style & kIconBits) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// Texts written for the classic box break lines with "\r\n"; the box wants "\n".
QString DisplayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

void ShowMessageBoxDialog(const MessageBoxRequest& request) {
    const QString title = request.title.empty() ? QApplication::applicationName()
                                                : QString::fromStdString(request.title);
    QMessageBox box(IconOfStyle(request.style), title, DisplayText(request.text), QMessageBox::Ok,
                    DialogOwner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace toolkit
