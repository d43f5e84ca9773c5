#pragma once

class QCoreApplication;

namespace platform {

// In a Japanese locale, the program's own messages and Qt's standard texts
// (buttons of message boxes, file errors) are shown in Japanese; otherwise
// they stay in English. The design's own captions are never translated.
void installTranslations(QCoreApplication &app);

} // namespace platform
