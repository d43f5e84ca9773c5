#pragma once

namespace platform {

// The settings name the Windows faces "ＭＳ ゴシック" and "ＭＳ Ｐゴシック";
// they draw with the IPA Gothic fonts, and "Arial" with Liberation Sans.
void installFontSubstitutes();

} // namespace platform
