#include "ToolkitTestSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace toolkit::testing {

RecordedMessageBoxes::RecordedMessageBoxes()
    : presenter_(InstallMessageBoxPresenter,
                 [this](const MessageBoxRequest& request) { shown_.push_back(request); }) {}

TempTree::TempTree() : root_(dir_.Path()) {}

void TempTree::MakeFile(const std::string& relative) const {
    std::ofstream(PathOf(relative)) << "x";
    ASSERT_TRUE(std::filesystem::is_regular_file(PathOf(relative))) << relative;
}

void TempTree::MakeDirectory(const std::string& relative) const {
    ASSERT_EQ(::mkdir(PathOf(relative).c_str(), 0755), 0) << relative;
}

void TempTree::MakeFifo(const std::string& relative) const {
    ASSERT_EQ(::mkfifo(PathOf(relative).c_str(), 0644), 0) << relative;
}

void TempTree::MakeSymlink(const std::string& target, const std::string& relative) const {
    ASSERT_EQ(::symlink(target.c_str(), PathOf(relative).c_str()), 0) << relative;
}

void TempTree::Remove(const std::string& relative) const {
    std::filesystem::remove_all(PathOf(relative));
}

WorkingDirectoryAndHomeBack::WorkingDirectoryAndHomeBack()
    : directory_(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (const char* home = std::getenv("HOME")) {
        home_ = home;
    }
}

WorkingDirectoryAndHomeBack::~WorkingDirectoryAndHomeBack() {
    EXPECT_EQ(::fchdir(directory_), 0);
    ::close(directory_);
    home_ ? ::setenv("HOME", home_->c_str(), 1) : ::unsetenv("HOME");
}

void AnswerNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

QPoint CentreOfRow(const QListWidget& list, int row) {
    return list.visualItemRect(list.item(row)).center();
}

}  // namespace toolkit::testing
