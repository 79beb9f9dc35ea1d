// The real Save-As dialog lists a directory, and completes a typed path, without opening any of
// the files it lists: a pseudo-file such as /proc/kmsg blocks for good when read.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QCompleter>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTest>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/CommonDialog.h"
#include "platform/toolkit/Form.h"

namespace toolkit {
namespace {

using testing::AnswerNextModal;
using testing::RaisedNumber;
using testing::TempTree;

// Counts the times a file is opened or read from the moment it is made.
class OpeningsOf {
public:
    explicit OpeningsOf(const std::string& path) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        watched_ = fd_ >= 0 && ::inotify_add_watch(fd_, path.c_str(), IN_OPEN | IN_ACCESS) >= 0;
    }
    ~OpeningsOf() { ::close(fd_); }
    OpeningsOf(const OpeningsOf&) = delete;
    OpeningsOf& operator=(const OpeningsOf&) = delete;

    bool Watched() const { return watched_; }

    int Count() const {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        ssize_t got = 0;
        while ((got = ::read(fd_, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                ++count;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return count;
    }

private:
    int fd_;
    bool watched_ = false;
};

TEST(RealSaveDialogListing, NamesTheTypesOfTheListedFilesWithoutOpeningThem) {
    TempTree tree;
    tree.MakeFile("dati");  // no extension: only its content could tell Qt's own provider its type
    OpeningsOf openings(tree.PathOf("dati"));
    ASSERT_TRUE(openings.Watched());
    Form form;
    CommonDialog dialog(form);
    dialog.InitDir = tree.Root();
    dialog.CancelError = true;
    QString listedType;
    int completions = 0;
    AnswerNextModal([&](QWidget* modal) {
        auto* model = modal->findChild<QFileSystemModel*>();
        auto* name = modal->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_TRUE(model != nullptr && name != nullptr && name->completer() != nullptr);
        const QModelIndex directory = model->index(QString::fromStdString(tree.Root()));
        if (QTest::qWaitFor(
                [&] { return !model->type(model->index(0, 0, directory)).isEmpty(); })) {
            listedType = model->type(model->index(0, 0, directory));
        }
        QTest::keyClicks(name, QString::fromStdString(tree.PathOf("da")));
        if (QTest::qWaitFor([&] { return name->completer()->completionCount() > 0; })) {
            completions = name->completer()->completionCount();
        }
        modal->close();
    });
    EXPECT_EQ(RaisedNumber([&] { dialog.ShowSave(); }), runtime::errCancel);
    EXPECT_FALSE(listedType.isEmpty());
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(openings.Count(), 0);
}

}  // namespace
}  // namespace toolkit
