#pragma once

#include <gtest/gtest.h>

#include <QListWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime/Replaceable.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/Presenters.h"
#include "tests/support/RaisedNumber.h"
#include "tests/support/ScratchDirectory.h"

// Helpers the toolkit tests share: scripted dialogs, generated directory trees, error numbers.
namespace toolkit::testing {

using ::testsupport::RaisedNumber;

// Records every message box instead of showing it, for as long as it lives.
class RecordedMessageBoxes {
public:
    RecordedMessageBoxes();
    RecordedMessageBoxes(const RecordedMessageBoxes&) = delete;
    RecordedMessageBoxes& operator=(const RecordedMessageBoxes&) = delete;

    const std::vector<MessageBoxRequest>& Shown() const { return shown_; }

private:
    std::vector<MessageBoxRequest> shown_;
    runtime::InstallGuard<MessageBoxPresenter> presenter_;
};

// A temporary directory to build trees in; paths are raw bytes.
class TempTree {
public:
    TempTree();

    const std::string& Root() const { return root_; }
    std::string PathOf(const std::string& relative) const { return root_ + "/" + relative; }

    void MakeFile(const std::string& relative) const;
    void MakeDirectory(const std::string& relative) const;
    void MakeFifo(const std::string& relative) const;
    void MakeSymlink(const std::string& target, const std::string& relative) const;
    // Removes a directory and everything under it.
    void Remove(const std::string& relative) const;

private:
    ::testsupport::ScratchDirectory dir_;
    std::string root_;
};

// Puts back the working directory and HOME as they were when it was made.
class WorkingDirectoryAndHomeBack {
public:
    WorkingDirectoryAndHomeBack();
    ~WorkingDirectoryAndHomeBack();
    WorkingDirectoryAndHomeBack(const WorkingDirectoryAndHomeBack&) = delete;
    WorkingDirectoryAndHomeBack& operator=(const WorkingDirectoryAndHomeBack&) = delete;

private:
    int directory_;
    std::optional<std::string> home_;
};

// Runs `answer` on the first modal dialog that shows (polling, so it works whenever the dialog's
// own event loop starts).
void AnswerNextModal(std::function<void(QWidget*)> answer);

// Where to click on a row of a list widget, in its viewport's coordinates.
QPoint CentreOfRow(const QListWidget& list, int row);

}  // namespace toolkit::testing
