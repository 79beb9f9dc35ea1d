#pragma once

#include <optional>
#include <string>

class QString;

// Paths as Qt's file dialog shows them. Qt turns a path's bytes into text with QFile::decodeName;
// bytes that are not valid UTF-8 become U+FFFD, which encodes back to other bytes, so the dialog
// cannot show such a path nor give it back.
namespace toolkit::shown_path {

// Whether the text the dialog shows for these bytes encodes back to the same bytes.
bool RoundTrips(const std::string& path);

// The nearest of a normalised absolute path and its ancestors that round-trips ("/" at worst).
std::string NearestShownAncestor(const std::string& path);

// The bytes of a path the dialog answered with, when they are surely the ones it showed:
// nothing when the text does not encode back to itself, or when a component holding U+FFFD (which
// stands for bytes the dialog could not show as well as for itself) does not exist with those
// bytes.
std::optional<std::string> BytesOfAnswer(const QString& answer);

}  // namespace toolkit::shown_path
