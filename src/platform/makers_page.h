#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// The maker's page is our own page installed beside the program, so that it
// opens without a network.
QString makersPageName();
QUrl makersPageUrl();

// Hands the page to the desktop's browser; when none can be started, a
// message tells the user where the page is.
void openMakersPage();

} // namespace platform
