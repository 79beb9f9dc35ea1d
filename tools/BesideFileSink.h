#pragma once

#include <cstdint>
#include <span>
#include <string>

// Where `thumbnail` writes its PNG. Its directory is opened first, before the process confines
// itself; the file is then written as a new temporary file in that very directory and renamed
// over the output's own name. A symbolic link at the output is replaced by the file, never
// followed (unlike the window's and `save`'s writes, SaveFileSink): a thumbnail cache is a
// directory others may have put links into. On Windows the write is SaveFileSink's.
namespace tool {

class BesideFileSink {
public:
    BesideFileSink() = default;
    ~BesideFileSink();
    BesideFileSink(const BesideFileSink&) = delete;
    BesideFileSink& operator=(const BesideFileSink&) = delete;

    // Opens the directory `output` lies in (its text up to the last "/"; "." when none). False,
    // with FailureErrno() set, when it cannot be opened.
    bool OpenDirectory(const std::string& output);
    // The open directory's descriptor (for the confinement's write rule); -1 when none.
    int DirectoryDescriptor() const { return directory_; }

    // Writes `bytes` to a new file beside the output (mode 0666 less the umask; a regular file
    // replaced keeps its permission bits), flushes it to disk and renames it over the output. An
    // output that is something else than a regular file or a link (a directory, a FIFO) is left
    // alone: false with EISDIR or EEXIST. On any failure the output stays as it was and no
    // temporary file remains; false with FailureErrno() set.
    bool Replace(std::span<const std::uint8_t> bytes);
    int FailureErrno() const { return failureErrno_; }

private:
    bool Fail(int errnoValue) {
        failureErrno_ = errnoValue;
        return false;
    }

    std::string output_;
    std::string leaf_;  // the output's name inside its directory
    int directory_ = -1;
    int failureErrno_ = 0;
};

}  // namespace tool
