#include "platform/makers_page.h"

#include "platform/file_lookup.h"
#include "platform/messages.h"

#include <QCoreApplication>
#include <QDesktopServices>

namespace platform {

QString makersPageName() { return QStringLiteral("Orlatim-about.html"); }

QUrl makersPageUrl() { return QUrl::fromLocalFile(programFolder() + makersPageName()); }

void openMakersPage()
{
    const QUrl page = makersPageUrl();
    if (!QDesktopServices::openUrl(page))
        showMessage(nullptr, QCoreApplication::translate("MakersPage",
                                                         "No web browser could be started. The maker's page is at %1")
                                 .arg(page.toString()));
}

} // namespace platform
