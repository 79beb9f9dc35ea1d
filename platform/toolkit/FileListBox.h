#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/runtime/Integer.h"
#include "platform/toolkit/Control.h"

namespace toolkit {

// A file list: the bare names of the regular files of one directory that match its pattern, sorted
// ignoring case. Directories, FIFOs, device nodes, sockets and hidden (dot) files are left out. The
// pattern is ";"-separated, each part trimmed and matched ignoring case. At most 32767 names are
// listed (the first in sorted order). Names are the file system's own bytes. It starts listing the
// working directory with the pattern "*.*".
class FileListBox : public Control {
public:
    explicit FileListBox(Form& owner);
    ~FileListBox() override;

    std::string Pattern() const { return pattern_; }
    void SetPattern(const std::string& pattern);

    // The directory, without a trailing separator except at the root ("/").
    std::string Path() const { return path_; }
    // Lists that directory (a relative path is taken from the working directory). A directory
    // that does not exist raises 76, one that cannot be read 75; in both cases the old listing and
    // path stay. Setting the pattern lists the current directory again, with the same errors.
    void SetPath(const std::string& path);

    runtime::Integer ListCount() const;
    // The name at an index; 9 outside the list.
    std::string List(runtime::Integer index) const;

private:
    // Lists the working directory, as the list starts.
    void StartInWorkingDirectory();
    void Relist(const std::string& path);
    // Fills the widget with the names, or, while it is hidden, leaves that until it shows.
    void ShowNames();

    // The backend's half: whether the widget is on screen, and its entries made these names.
    bool WidgetShown() const;
    void FillWidget(std::span<const std::string> names);

    std::string pattern_ = "*.*";
    std::string path_;
    std::vector<std::string> names_;
    bool widgetStale_ = false;
};

}  // namespace toolkit
