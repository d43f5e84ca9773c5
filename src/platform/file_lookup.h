#pragma once

#include <QString>

namespace platform {

// True when the working folder holds a file of exactly this name, letter
// case included, so that a file saved on a case-blind disk as "orlatim.cfg"
// is not taken for "Orlatim.cfg".
bool foundExactly(const QString &name);

// The folder of the running program, ending with a "/".
QString programFolder();

} // namespace platform
