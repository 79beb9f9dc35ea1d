// The tool's language on POSIX: glibc's gettext, the catalogs found beside the executable.
#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools/Messages.h"

namespace tool {

namespace {

// The language the environment names for messages, as setlocale reads it; empty for none or C.
std::string LanguageOfEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            const std::string text(value);
            return text == "C" || text == "POSIX" || text.starts_with("C.") ? std::string() : text;
        }
    }
    return {};
}

// The catalogs' directory: QUORVANE_LOCALE_FROM_BINARY from the executable's own directory.
std::string CatalogDirectory() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return (self.parent_path() / QUORVANE_LOCALE_FROM_BINARY).lexically_normal().string();
}

}  // namespace

void ChooseLanguage() {
    if (std::setlocale(LC_MESSAGES, "") == nullptr) {
        // The language's locale is not installed: gettext ignores LANGUAGE under "C", but follows
        // it under C.UTF-8, so the tool still speaks the language the environment asks for.
        const std::string language = LanguageOfEnvironment();
        if (!language.empty() && std::setlocale(LC_MESSAGES, "C.UTF-8") != nullptr) {
            ::setenv("LANGUAGE", language.c_str(), 0);
        }
    }
    const std::string directory = CatalogDirectory();
    if (!directory.empty()) {
        ::bindtextdomain("quorvane-icons", directory.c_str());
    }
    // The catalogs' texts reach the output as UTF-8, whatever the locale's character set.
    ::bind_textdomain_codeset("quorvane-icons", "UTF-8");
    // The catalog is read now, on the first lookup: a confined process (thumbnail, --sandbox) can
    // no longer open it later.
    static_cast<void>(::dgettext("quorvane-icons", "no icons: %s"));
}

}  // namespace tool
