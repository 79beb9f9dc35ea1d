#include "platform/toolkit/Label.h"

#include <QFont>
#include <QLabel>
#include <algorithm>

#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

namespace {

QLabel& TextLabel(QWidget* widget) {
    return static_cast<QLabel&>(*widget);
}

// Qt's weights are on the same 1..1000 scale (400 normal, 700 bold).
QFont::Weight WeightOf(int weight) {
    return static_cast<QFont::Weight>(std::clamp(weight, 1, 1000));
}

}  // namespace

Label::Label(Form& owner) : Control(owner, std::make_unique<ControlPeer>(new QLabel)) {
    QLabel& label = TextLabel(qt::WidgetOf(*this));
    label.setTextFormat(Qt::PlainText);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.setWordWrap(false);
    label.setFocusPolicy(Qt::NoFocus);
    label.setAutoFillBackground(false);
}

std::string Label::Caption() const {
    return caption_;
}

void Label::SetCaption(const std::string& caption) {
    caption_ = caption;
    TextLabel(qt::WidgetOf(*this)).setText(QString::fromStdString(caption));
}

void Label::SetFont(const Font& font) {
    QFont shown;
    shown.setFamilies({QString::fromStdString(font.name), QStringLiteral("Sans Serif")});
    if (font.size > 0) {
        shown.setPointSizeF(font.size);
    }
    shown.setWeight(WeightOf(font.weight));
    shown.setItalic(font.italic);
    shown.setUnderline(font.underline);
    shown.setStrikeOut(font.strikethrough);
    TextLabel(qt::WidgetOf(*this)).setFont(shown);
}

}  // namespace toolkit
