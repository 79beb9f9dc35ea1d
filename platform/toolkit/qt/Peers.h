#pragma once

#include <QCursor>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/toolkit/Control.h"
#include "platform/toolkit/Form.h"

// The Qt halves of the forms layer: the widgets behind the forms and their controls.
namespace toolkit {

// A control's widget, a child of its form's surface, and the custom pointer it shows.
class ControlPeer {
public:
    // Takes ownership of the widget.
    explicit ControlPeer(QWidget* shown) : widget(shown) {}
    // The widget goes with the control, unless the form's surface took it along already.
    ~ControlPeer() { delete widget.data(); }
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;

    QPointer<QWidget> widget;
    std::shared_ptr<const QCursor> customCursor;
};

// A form's top-level widget, which it owns, and the widget the focus starts in.
class FormPeer {
public:
    FormPeer();
    ~FormPeer() { delete surface; }
    FormPeer(const FormPeer&) = delete;
    FormPeer& operator=(const FormPeer&) = delete;

    QWidget* surface;
    QPointer<QWidget> firstFocus;
};

namespace qt {

// The widget of a control; null once the form it was on has gone.
inline QWidget* WidgetOf(const Control& control) {
    return control.Peer().widget;
}

// The form's surface: the top-level widget its controls are children of.
inline QWidget* SurfaceOf(const Form& form) {
    return form.Peer().surface;
}

}  // namespace qt

}  // namespace toolkit
