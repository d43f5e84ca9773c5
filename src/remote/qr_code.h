#pragma once

#include <QImage>
#include <QString>

namespace remote {

// The address as a QR code, black on white with the quiet zone of four
// modules that phone cameras need, each module moduleSize pixels square; a
// null image when the text cannot be encoded.
QImage qrCodeImage(const QString &text, int moduleSize);

} // namespace remote
