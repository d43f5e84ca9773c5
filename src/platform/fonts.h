#pragma once

namespace platform {

// The settings name the Windows faces "ＭＳ ゴシック" and "ＭＳ Ｐゴシック";
// they draw with the IPA Gothic fonts, and "Arial" with Liberation Sans.
void installFontSubstitutes();

// Before the application object exists: lets Qt keep the rendered glyphs of
// the digits, hundreds of pixels high, which it would otherwise draw from
// their outlines at every paint (one digit changes every second).
void cacheLargeGlyphs();

} // namespace platform
