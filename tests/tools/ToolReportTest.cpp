// The tool's reasons in words, built without a catalog (its English texts).
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include <QTemporaryDir>

#include "platform/runtime/RuntimeError.h"
#include "tools/ToolReport.h"

namespace {

using tool::ReaderReason;
using tool::WriteFailureReason;

TEST(ToolReport, AFailedWriteSaysWhyFromItsErrno) {
    EXPECT_EQ(WriteFailureReason("out.ico", runtime::errPermissionDenied, EACCES),
              "permission denied");
    EXPECT_EQ(WriteFailureReason("out.ico", runtime::errPermissionDenied, EROFS),
              "the file system is read-only");
    EXPECT_EQ(WriteFailureReason("out.ico", runtime::errDiskFull, ENOSPC),
              "no space left on the device");
    EXPECT_EQ(WriteFailureReason("no/out.ico", runtime::errPathNotFound, ENOENT),
              "the directory does not exist");
    // An errno the tool has no words of its own for: the system's.
    EXPECT_EQ(WriteFailureReason("out.ico", runtime::errPathFileAccess, EBADF),
              std::string(std::strerror(EBADF)));
}

TEST(ToolReport, AFailureBeforeTheFileWasTouchedSaysWhyFromTheError) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    EXPECT_EQ(WriteFailureReason(dir.path().toStdString(), runtime::errPathFileAccess, 0),
              "it is not a regular file");
    EXPECT_EQ(WriteFailureReason("no/out.ico", runtime::errPathNotFound, 0),
              "the directory does not exist");
    EXPECT_EQ(WriteFailureReason("out.png", runtime::errInvalidPropertyValue, 0),
              "none of the icon's images can be drawn");
    for (const std::int32_t number : {runtime::errPathNotFound, runtime::errFileNotFound,
                                      runtime::errOutOfMemory, runtime::errPathFileAccess}) {
        const std::string reason = WriteFailureReason("out.ico", number, 0);
        EXPECT_EQ(reason.find(std::to_string(number)), std::string::npos) << reason;
    }
}

TEST(ToolReport, ReaderReasonsKeepWhatTheCatalogDoesNotHold) {
    const std::string located = "group directory at 0x1f40 names no image";
    const std::string leading =
        "the executable has no resource table; its icons would be in x.mun, but it has none";

    EXPECT_EQ(ReaderReason(located), located);
    EXPECT_EQ(ReaderReason(leading), leading);
    EXPECT_EQ(ReaderReason(""), "");
}

}  // namespace
