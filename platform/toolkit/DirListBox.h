#pragma once

#include <string>
#include <vector>

#include "platform/runtime/Integer.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/UserEvent.h"

namespace toolkit {

// A directory list in the classic hierarchy: the root and the ancestors indented above the current
// directory (highlighted as open), its subdirectories one level deeper below it (sorted ignoring
// case, hidden ones left out). ListIndex -1 is the current directory, -2 its parent and so on up to
// the root; 0.. are the subdirectories. A single click or an arrow key only moves the selection; a
// double-click or Enter opens the entry, which changes Path and raises Change.
class DirListBox : public Control {
public:
    explicit DirListBox(Form& owner);

    // The current directory's full path, without a trailing separator except at the root.
    std::string Path() const { return path_; }
    // Moves to a directory, or, given a drive's text (DriveListBox::Drive), to that drive's current
    // directory (the last one shown on it, else its root). A drive that cannot be read raises 68, a
    // directory that does not exist 76. When the path changes, Change is raised before this returns
    // and an error in its handler goes to the caller. A directory that exists but cannot be read
    // is entered all the same, showing no subdirectories.
    void SetPath(const std::string& path);

    runtime::Integer ListCount() const;  // the number of subdirectories
    runtime::Integer ListIndex() const;
    // Moves the selection only (no event); an index outside the entries raises 380.
    void SetListIndex(runtime::Integer index);
    // Full path of the entry at ListIndex-style index; 9 outside the entries.
    std::string List(runtime::Integer index) const;

    runtime::Event Change;

private:
    // Lists the working directory, as the list starts.
    void StartInWorkingDirectory();
    // Shows that directory: the hierarchy down to it and its subdirectories, it selected.
    void Show(const std::string& directory);
    // Moves to a checked directory; whether the path changed.
    bool MoveTo(const std::string& directory);
    // The user opened the selected entry (double-click, Enter).
    void OpenSelected();
    // The row of an index, or -1 when no entry has it.
    int RowOf(runtime::Integer index) const;
    int HierarchyRows() const { return static_cast<int>(components_.size()) + 1; }

    // The backend's half. The list's entries made the hierarchy of `directory` (components_) and
    // its subdirectories; the selected row (-1 for none) read and set; the full path of a row.
    void FillWidget(const std::string& directory);
    int SelectedRow() const;
    void SelectRow(int row);
    std::string PathOfRow(int row) const;
    // A drive's current directory (68 when it cannot be read).
    static std::string DriveDirectory(const std::string& root);
    // The backend's file system checks: whether a directory can be read, and the normalised path
    // of an existing directory (76 when there is none, 75 when it cannot be seen).
    static bool CanOpenDirectory(const std::string& path);
    static std::string ExistingDirectory(const std::string& path);

    std::string path_;
    std::vector<std::string> components_;      // of path_
    std::vector<std::string> subdirectories_;  // bare names, in list order
};

}  // namespace toolkit
