#include "platform/picture/IcoFileSink.h"

#include <cerrno>

namespace platform::picture {

template <typename Step>
bool SaveFileSink::Attempt(Step step) {
    errno = 0;
    if (step()) {
        return true;
    }
    failureErrno_ = errno;
    return false;
}

bool SaveFileSink::Open(const QString& fileName) {
    file_.setFileName(fileName);
    return Attempt([this] { return file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered); });
}

bool SaveFileSink::Write(std::span<const std::uint8_t> bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    return Attempt(
        [&] { return file_.write(reinterpret_cast<const char*>(bytes.data()), size) == size; });
}

bool SaveFileSink::Commit() {
    return Attempt([this] { return file_.commit(); });
}

void SaveFileSink::Discard() {
    if (file_.isOpen()) {
        file_.cancelWriting();
        file_.commit();  // after cancelWriting() this only removes the temporary file
    }
}

}  // namespace platform::picture
