// The tool's language on Windows: no gettext in the MinGW runtime, so the tool speaks English.
#include "tools/Messages.h"

namespace tool {

void ChooseLanguage() {}

}  // namespace tool
