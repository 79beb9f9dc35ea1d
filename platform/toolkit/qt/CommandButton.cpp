#include "platform/toolkit/CommandButton.h"

#include <QPushButton>

#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

namespace {

QPushButton& Button(QWidget* widget) {
    return static_cast<QPushButton&>(*widget);
}

}  // namespace

CommandButton::CommandButton(Form& owner)
    : Control(owner, std::make_unique<ControlPeer>(new QPushButton)) {
    QPushButton& button = Button(qt::WidgetOf(*this));
    button.setAutoDefault(false);
    button.setDefault(false);
    button.setFocusPolicy(Qt::StrongFocus);
    // RaiseUserEvent lets nothing escape into Qt's signal delivery.
    QObject::connect(&button, &QPushButton::clicked, &button, [this] { RaiseUserEvent(Click); });
}

std::string CommandButton::Caption() const {
    return caption_;
}

void CommandButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    // No access keys: an "&" shows as itself.
    QString shown = QString::fromStdString(caption);
    shown.replace(u'&', QStringLiteral("&&"));
    Button(qt::WidgetOf(*this)).setText(shown);
}

}  // namespace toolkit
