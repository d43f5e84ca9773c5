#pragma once

#include <QString>

class QApplication;

namespace platform {

// The help file that F1 opens in any window of the program.
void setHelpFile(const QString &path);
QString helpFile();

// Makes F1 open the help from every window of the application.
void installHelpKey(QApplication &app);

// Shows the help file's default page in the program's help window, or a
// message naming the path when the file is missing or damaged.
void showHelp();

} // namespace platform
