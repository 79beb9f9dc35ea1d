#pragma once

#include <cstdint>
#include <string>

#include "tools/ToolCommand.h"

// The tool's `extract`, `save` and `thumbnail` commands: icons written to files.
namespace tool {

// The name extract gives icon `index` of a file whose icons are named after `stem`, in
// `directory`: DIRECTORY/STEM-NNN-LABEL.ico (.png), e.g. "out/shell32-003-ID16.ico"; the label is
// the group's ID ("ID16") or its name, with characters no file name should hold (/ \ : * ? " < > |
// and control characters) turned into "_", left out with its dash when the group has neither.
std::string ExtractedName(const std::string& directory, const std::string& stem,
                          std::uint32_t index, const std::string& label, bool png);

// Writes the icons the command names, every icon of each file when it names none, into
// command.outputDirectory; the files of a walked directory's subdirectory SUB (FileWalk.h) into
// its subdirectory SUB. Each file or icon that cannot be written is reported on standard error and
// the others are still written; the output is the same whatever command.jobs is.
// kExitOk, or kExitFailure when something was reported.
int ExtractIcons(const ToolCommand& command);

// Writes icon command.indexes[0] of command.files[0] to command.output (.ico, or PNG).
int SaveIcon(const ToolCommand& command);

// Writes a PNG of the first icon of command.files[0] to command.output; kExitFailure, with no
// file written, when the file has no icon.
int WriteThumbnail(const ToolCommand& command);

}  // namespace tool
