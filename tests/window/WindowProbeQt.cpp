#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPalette>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "platform/toolkit/qt/Peers.h"
#include "tests/window/WindowProbe.h"

namespace window_probe {

namespace {

QWidget* WidgetOf(const toolkit::Control& control) {
    return toolkit::qt::WidgetOf(control);
}

Rect RectOf(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Rect& rect) {
    return out << "(" << rect.left << ", " << rect.top << ") " << rect.width << "x" << rect.height;
}

std::string Title(const toolkit::Form& form) {
    return toolkit::qt::SurfaceOf(form)->windowTitle().toStdString();
}

Rect ClientArea(const toolkit::Form& form) {
    return RectOf(toolkit::qt::SurfaceOf(form)->geometry());
}

bool PlacedByProgram(const toolkit::Form& form) {
    return toolkit::qt::SurfaceOf(form)->testAttribute(Qt::WA_Moved);
}

bool HasFixedSize(const toolkit::Form& form) {
    const QWidget* surface = toolkit::qt::SurfaceOf(form);
    return surface->minimumSize() == surface->size() && surface->maximumSize() == surface->size();
}

toolkit::Color Background(const toolkit::Form& form) {
    const QColor color = toolkit::qt::SurfaceOf(form)->palette().color(QPalette::Window);
    return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
            static_cast<std::uint8_t>(color.blue())};
}

std::vector<int> IconSizes(const toolkit::Form& form) {
    std::vector<int> sizes;
    for (const QSize& size : toolkit::qt::SurfaceOf(form)->windowIcon().availableSizes()) {
        if (size.width() == size.height()) {
            sizes.push_back(size.width());
        }
    }
    return sizes;
}

Rect Geometry(const toolkit::Control& control) {
    return RectOf(WidgetOf(control)->geometry());
}

bool IsShown(const toolkit::Control& control) {
    return WidgetOf(control)->isVisible();
}

bool IsEnabled(const toolkit::Control& control) {
    return WidgetOf(control)->isEnabled();
}

Font FontOf(const toolkit::Control& control) {
    const QFont font = WidgetOf(control)->font();
    return {font.families().value(0).toStdString(),
            font.pointSizeF(),
            static_cast<int>(font.weight()),
            font.italic(),
            font.underline(),
            font.strikeOut()};
}

Pointer PointerOf(const toolkit::Control& control) {
    const QCursor cursor = WidgetOf(control)->cursor();
    return {cursor.shape() == Qt::BitmapCursor, cursor.hotSpot().x(), cursor.hotSpot().y(),
            cursor.pixmap().width(), cursor.pixmap().height()};
}

std::vector<std::uint32_t> Pixels(const toolkit::Control& control) {
    const QImage image = WidgetOf(control)->grab().toImage();
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            pixels.push_back(image.pixel(x, y));
        }
    }
    return pixels;
}

bool Activate(toolkit::Form& form) {
    QApplication::setActiveWindow(toolkit::qt::SurfaceOf(form));
    return QTest::qWaitForWindowActive(toolkit::qt::SurfaceOf(form));
}

bool HasFocus(const toolkit::Control& control) {
    return QApplication::focusWidget() == WidgetOf(control);
}

int RunEventLoop(toolkit::Form&, std::function<void()> first) {
    QTimer::singleShot(0, std::move(first));
    return QApplication::exec();
}

}  // namespace window_probe
