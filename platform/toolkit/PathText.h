#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Path text as the controls show and accept it: the file system's own bytes, "/"-separated.
namespace toolkit::path_text {

// The process's working directory, as the file system names it; the user's home directory when it
// cannot be named (removed, or too deep), and "/" only when there is no home either.
std::string WorkingDirectory();

// An absolute path with doubled separators collapsed, "." components dropped and no trailing
// separator except at the root; a relative path is taken from the working directory. "" stays "".
std::string Normalise(const std::string& path);

// The components of a normalised absolute path: "/a/b" -> {"a", "b"}; "/" -> {}.
std::vector<std::string> Components(const std::string& normalisedPath);

// The path of the first `count` components of a normalised absolute path ("/" for none).
std::string Prefix(const std::vector<std::string>& components, std::size_t count);

// The text after the last separator ("/a/b.ico" -> "b.ico"); the whole text when there is none.
std::string LastComponent(const std::string& path);

// Whether `root` is `path` itself or one of its ancestors, comparing whole components.
bool HoldsPath(const std::string& root, const std::string& path);

}  // namespace toolkit::path_text
