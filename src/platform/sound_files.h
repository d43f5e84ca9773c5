#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// MIDI needs the synthesiser's one music stream; every other kind of sound
// is decoded whole into memory so that a bell starts without delay.
enum class SoundKind { Sampled, Midi };

// Decided by the file's first bytes, or by its extension when they say
// nothing (an empty or unreadable file), so any player may hold any kind.
SoundKind soundKindOf(const QString &fileName, const QByteArray &head);

// The path to open for a sound file name as stored in the settings. A bare
// name stays relative to the working folder. A name written with
// backslashes, as in a settings file brought over from Windows, is tried
// with slashes when no file carries the name as written.
QString soundFilePath(const QString &storedName);

// SoundFonts looked for, best first, when the environment names none.
QStringList defaultSoundFonts();

// The first existing file of a search list such as SDL_SOUNDFONTS
// ("a.sf2:b.sf2"); empty when there is none.
QString firstExistingFile(const QString &searchList);

} // namespace platform
