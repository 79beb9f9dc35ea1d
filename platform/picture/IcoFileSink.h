#pragma once

#include <cstdint>
#include <span>

#include <QSaveFile>
#include <QString>

// Where SavePicture writes the .ico: a file opened under its final name, written in pieces and
// committed at the end, so that a failure leaves any file of that name as it was. Tests put
// another sink in its place to make any step fail.
namespace platform::picture {

class IcoFileSink {
public:
    virtual ~IcoFileSink() = default;

    // Each step gives false when it fails; FailureErrno() then tells the errno it met (0 if none).
    virtual bool Open(const QString& fileName) = 0;
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    virtual bool Commit() = 0;
    virtual int FailureErrno() const = 0;

    // Drops what was written after a failed step: the file of that name stays as it was and no
    // temporary file remains.
    virtual void Discard() = 0;
};

// The sink of the program: a QSaveFile (a temporary file renamed over the target on commit),
// written unbuffered so that every failing write reports its own errno.
class SaveFileSink final : public IcoFileSink {
public:
    bool Open(const QString& fileName) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    bool Commit() override;
    int FailureErrno() const override { return failureErrno_; }
    void Discard() override;

private:
    template <typename Step>
    bool Attempt(Step step);

    QSaveFile file_;
    int failureErrno_ = 0;
};

}  // namespace platform::picture
