#pragma once

#include <QStringList>
#include <string>

namespace toolkit {

// The file dialog's name filters for a Filter property: "*.ico" -> {"*.ico"};
// "Icone|*.ico;*.cur|Tutti|*.*" -> {"Icone (*.ico *.cur)", "Tutti (*.*)"}.
QStringList NameFiltersOf(const std::string& filter);

}  // namespace toolkit
