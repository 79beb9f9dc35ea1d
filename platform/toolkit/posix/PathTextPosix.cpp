#include "platform/toolkit/PathText.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/files/FilePaths.h"
#include "platform/toolkit/PathComponents.h"

namespace toolkit::path_text {

namespace files = platform::files;

namespace {

bool IsSlash(char c) {
    return c == '/';
}

// getcwd grows its buffer up to this; a deeper working directory cannot be named.
constexpr std::size_t kMaxWorkingDirectory = 1 << 16;

bool IsAbsoluteDirectory(const char* path) {
    return path != nullptr && path[0] == '/' && files::IsDirectory(path);
}

// Where to stand without a working directory: the user's home (HOME, else the user database), so
// that a bare name never lands in the root; the root only when there is no home at all.
std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); IsAbsoluteDirectory(home)) {
        return Normalise(home);
    }
    if (const passwd* user = ::getpwuid(::getuid()); user && IsAbsoluteDirectory(user->pw_dir)) {
        return Normalise(user->pw_dir);
    }
    return "/";
}

}  // namespace

std::string WorkingDirectory() {
    std::vector<char> buffer(4096);
    while (buffer.size() <= kMaxWorkingDirectory) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
            return std::string(buffer.data());
        }
        if (errno != ERANGE) {
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return HomeDirectory();
}

std::vector<std::string> Components(const std::string& path) {
    return SplitComponents(path, 0, IsSlash);
}

std::string Prefix(const std::vector<std::string>& components, std::size_t count) {
    return JoinComponents(components, count, '/');
}

std::string Normalise(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    const std::string absolute = path.front() == '/' ? path : WorkingDirectory() + "/" + path;
    const std::vector<std::string> kept = WithoutDots(Components(absolute));
    return Prefix(kept, kept.size());
}

std::string LastComponent(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HoldsPath(const std::string& root, const std::string& path) {
    if (root == "/") {
        return !path.empty() && path.front() == '/';
    }
    if (path.compare(0, root.size(), root) != 0) {
        return false;
    }
    return path.size() == root.size() || path[root.size()] == '/';
}

}  // namespace toolkit::path_text
