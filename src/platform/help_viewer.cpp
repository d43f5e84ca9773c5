#include "platform/help.h"

#include "platform/messages.h"

namespace platform {

void showHelp() { showMessage(nullptr, QStringLiteral("The help viewer is not built yet: ") + helpFile()); }

} // namespace platform
