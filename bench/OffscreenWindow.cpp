#include "bench/OffscreenWindow.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <stdexcept>
#include "platform/toolkit/qt/Peers.h"

namespace bench {

namespace {

QListWidget& ListWidgetOf(toolkit::ListBox& list) {
    auto* widget = qobject_cast<QListWidget*>(toolkit::qt::WidgetOf(list));
    if (widget == nullptr) {
        throw std::logic_error("the list control has no list widget");
    }
    return *widget;
}

int RowNamed(toolkit::ListBox& list, const std::string& name) {
    for (runtime::Integer i = 0; i < list.ListCount(); i = i + 1) {
        if (list.List(i) == name) {
            return i.Value();
        }
    }
    throw std::runtime_error(name + " is not among the files listed");
}

}  // namespace

OffscreenWindow::OffscreenWindow()
    : messageBoxes_(toolkit::InstallMessageBoxPresenter,
                    [this](const toolkit::MessageBoxRequest&) { ++messages_; }),
      saveDialogs_(toolkit::InstallSaveDialogPresenter,
                   [](const toolkit::SaveDialogRequest&) -> std::optional<std::string> {
                       return std::nullopt;
                   }) {
    window_ = std::make_unique<frmCercaIco>();
    window_->Show();
    QApplication::processEvents();
}

OffscreenWindow::~OffscreenWindow() {
    window_.reset();
}

void OffscreenWindow::OpenDirectory(const std::string& directory) {
    window_->dirlDirectory.SetPath(directory);
    QApplication::processEvents();
}

void OffscreenWindow::ForgetScan() {
    window_->dirlDirectory_Change();
    QApplication::processEvents();
}

void OffscreenWindow::PressAggiorna() {
    QTest::mouseClick(toolkit::qt::WidgetOf(window_->cmdAggiorna), Qt::LeftButton);
    DrawPreviews();
}

void OffscreenWindow::ClickFile(const std::string& name) {
    QListWidget& list = ListWidgetOf(window_->lstFiles);
    QListWidgetItem* entry = list.item(RowNamed(window_->lstFiles, name));
    list.scrollToItem(entry);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(entry).center());
    DrawPreviews();
}

void OffscreenWindow::DrawPreviews() {
    toolkit::qt::WidgetOf(window_->imgGrande)->repaint();
    QApplication::processEvents();
}

std::size_t OffscreenWindow::FilesListed() {
    return static_cast<std::size_t>(window_->lstFiles.ListCount().Value());
}

std::string OffscreenWindow::FirstFileListed() {
    return FilesListed() > 0 ? window_->lstFiles.List(0) : std::string();
}

std::size_t OffscreenWindow::IconsListed() {
    return static_cast<std::size_t>(window_->lstIcone.ListCount().Value());
}

}  // namespace bench
