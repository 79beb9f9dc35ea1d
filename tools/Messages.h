#pragma once

#include <initializer_list>
#include <string>

// The tool's words in the user's language. `_("text")` gives the text's translation from the
// quorvane-icons catalog (the text itself when there is none); `N_("text")` marks a text for the
// catalog where it is written and leaves it as it is, for tables translated later with _().
// Where the build has no gettext (Windows), both give the English text.
#if QUORVANE_HAVE_GETTEXT
#include <libintl.h>
#define _(text) ::dgettext("quorvane-icons", text)
#define Q_PLURAL(one, many, count) ::dngettext("quorvane-icons", one, many, count)
#else
#define _(text) (text)
#define Q_PLURAL(one, many, count) ((count) == 1 ? (one) : (many))
#endif
#define N_(text) text

namespace tool {

// Chooses the language of the tool's words from the environment (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG) and finds the catalogs in ../share/locale beside the executable (its place in the build
// and in the installed tree alike). A language whose system locale is not installed is still
// spoken: the messages then come with a C.UTF-8 locale. Call once, before any text is written.
void ChooseLanguage();

// `text` (a translated message) with each "%s" replaced by the next of `values`, in order.
std::string Format(const char* text, std::initializer_list<std::string> values);

}  // namespace tool
