// TEMPORARY, replaced at merge by the picture service's Windows halves of their own branch:
// drawing through CreateIconFromResourceEx + DrawIconEx, and a plain save through a temporary
// file renamed over the target, just enough for the Windows program to link and run.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/picture/FilePaths.h"
#include "platform/picture/IcoFileSink.h"
#include "platform/picture/ImagePreference.h"
#include "platform/picture/Picture.h"
#include "platform/picture/SaveErrors.h"
#include "platform/runtime/RuntimeError.h"

namespace platform::picture {

namespace {

std::wstring Wide(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// The icon drawn into a premultiplied top-down DIB of that size.
toolkit::ArgbPixels Draw(HICON icon, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    toolkit::ArgbPixels drawn{.width = width, .height = height, .pixels = {}};
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(dc, bitmap);
        std::memset(bits, 0, static_cast<std::size_t>(width) * height * 4);
        DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        GdiFlush();
        drawn.pixels.assign(static_cast<const std::uint32_t*>(bits),
                            static_cast<const std::uint32_t*>(bits) + width * height);
        SelectObject(dc, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    return drawn;
}

}  // namespace

toolkit::ArgbPixels Picture::Pixels(int width, int height) const {
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        return {};
    }
    for (std::size_t index : ImagesByPreference(*group_, width, height)) {
        const icons::IconImage& image = group_->images[index];
        HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.bytes.data()),
                                              static_cast<DWORD>(image.bytes.size()), TRUE,
                                              0x00030000, width, height, LR_DEFAULTCOLOR);
        if (icon != nullptr) {
            toolkit::ArgbPixels drawn = Draw(icon, width, height);
            DestroyIcon(icon);
            return drawn;
        }
    }
    return {};
}

std::string DirectoryOf(const std::string& fileName) {
    const std::size_t separator = fileName.find_last_of("\\/");
    if (separator == std::string::npos) {
        return ".";
    }
    return separator == 2 && fileName[1] == ':' ? fileName.substr(0, 3)
                                                : fileName.substr(0, separator);
}

std::string FollowLinks(const std::string& fileName) {
    return fileName;
}

std::int32_t SaveErrorNumber(int errnoValue) {
    switch (errnoValue) {
        case ENOENT:
            return runtime::errPathNotFound;
        case EACCES:
        case EROFS:
            return runtime::errPermissionDenied;
        case ENOSPC:
            return runtime::errDiskFull;
        default:
            return runtime::errPathFileAccess;
    }
}

SaveFileSink::~SaveFileSink() {
    Discard();
}

bool SaveFileSink::Fail(int errnoValue) {
    failureErrno_ = errnoValue;
    return false;
}

bool SaveFileSink::Open(const std::string& fileName) {
    finalName_ = fileName;
    temporaryName_ = fileName + ".quorvane-tmp";
    descriptor_ = _wopen(Wide(temporaryName_).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                         _S_IREAD | _S_IWRITE);
    return descriptor_ >= 0 || Fail(errno);
}

bool SaveFileSink::Write(std::span<const std::uint8_t> bytes) {
    const int written = _write(descriptor_, bytes.data(), static_cast<unsigned>(bytes.size()));
    return written == static_cast<int>(bytes.size()) || Fail(written < 0 ? errno : ENOSPC);
}

bool SaveFileSink::CloseFile() {
    const int descriptor = std::exchange(descriptor_, -1);
    return descriptor < 0 || _close(descriptor) == 0 || Fail(errno);
}

bool SaveFileSink::Commit() {
    if (_commit(descriptor_) != 0 || !CloseFile()) {
        return Fail(errno);
    }
    if (!MoveFileExW(Wide(temporaryName_).c_str(), Wide(finalName_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Fail(GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO);
    }
    temporaryName_.clear();
    return true;
}

void SaveFileSink::Discard() {
    CloseFile();
    if (!temporaryName_.empty()) {
        DeleteFileW(Wide(temporaryName_).c_str());
        temporaryName_.clear();
    }
}

}  // namespace platform::picture
