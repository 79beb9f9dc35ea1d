#pragma once

#include <string>

namespace toolkit {

// The application's name as the backend knows it (the executable's, unless the program set
// another): the title of the runtime's own boxes.
std::string ApplicationName();

}  // namespace toolkit
