#pragma once

#include <cstdint>
#include <span>
#include <string>

// Where SavePicture writes the .ico: a file opened under its final name, written in pieces and
// committed at the end, so that a failure leaves any file of that name as it was. Tests put
// another sink in its place to make any step fail.
namespace platform::picture {

class IcoFileSink {
public:
    virtual ~IcoFileSink() = default;

    // Each step gives false when it fails; FailureErrno() then tells the errno it met (0 if none).
    // The file name is bytes, handed to the system as they are.
    virtual bool Open(const std::string& fileName) = 0;
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    virtual bool Commit() = 0;
    virtual int FailureErrno() const = 0;

    // Drops what was written after a failed step: the file of that name stays as it was and no
    // temporary file remains.
    virtual void Discard() = 0;
};

// The sink of the program: a new temporary file in the target's directory, renamed over the
// target on commit. A link is followed to the file it names, which is the one replaced. A new file
// gets mode 0666 less the umask; a replaced file keeps its permission bits. The new file is flushed
// to disk before the rename unless the sink is made with `flushToDisk` false (a tool writing many
// files at once): the rename still never shows a partial file, but a crash soon after may lose it.
class SaveFileSink final : public IcoFileSink {
public:
    explicit SaveFileSink(bool flushToDisk = true) : flushToDisk_(flushToDisk) {}
    ~SaveFileSink() override { Discard(); }
    SaveFileSink(const SaveFileSink&) = delete;
    SaveFileSink& operator=(const SaveFileSink&) = delete;

    bool Open(const std::string& fileName) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    bool Commit() override;
    int FailureErrno() const override { return failureErrno_; }
    void Discard() override;

private:
    // Records why a step failed, for FailureErrno; gives the step's false.
    bool Fail(int errnoValue) {
        failureErrno_ = errnoValue;
        return false;
    }
    bool CloseFile();

    std::string finalName_;
    std::string temporaryName_;
    bool flushToDisk_ = true;
    int descriptor_ = -1;
    int failureErrno_ = 0;
};

}  // namespace platform::picture
