#include "platform/sdl_players.h"

#include "platform/sound_files.h"
#include "platform/sound_players.h"

#include <QDebug>
#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>

namespace platform {

namespace {

struct FreeChunk {
    void operator()(Mix_Chunk *chunk) const { Mix_FreeChunk(chunk); }
};
struct FreeMusic {
    void operator()(Mix_Music *music) const { Mix_FreeMusic(music); }
};

// The mixer's end-of-playback hooks are plain functions without user data;
// they find the players that own the device here.
std::atomic<SdlPlayers *> deviceOwner{nullptr};

QString sdlError() { return QString::fromUtf8(SDL_GetError()); }

} // namespace

struct SdlPlayers::Player {
    QString fileName;
    std::unique_ptr<Mix_Chunk, FreeChunk> chunk;
    std::unique_ptr<Mix_Music, FreeMusic> music;
    bool open = false;
    bool playing = false; // from "Play" until its end has been reported
    bool stopRequested = false;
    bool warned = false;

    void release()
    {
        chunk.reset();
        music.reset();
    }

    // One line per opened file, not one per "Play", so a missing bell
    // does not fill the terminal during overtime.
    void silence(int index, const QString &why)
    {
        if (warned)
            return;
        warned = true;
        qWarning().noquote() << QStringLiteral("orlatim: sound player %1 (\"%2\") stays silent: %3")
                                    .arg(index)
                                    .arg(fileName, why);
    }
};

std::unique_ptr<MediaPlayers> createSoundPlayers(QObject *parent)
{
    return std::make_unique<SdlPlayers>(parent);
}

SdlPlayers::SdlPlayers(QObject *parent, int bufferFrames, std::chrono::milliseconds linger)
    : MediaPlayers(parent)
    , m_bufferFrames(bufferFrames)
    , m_linger(linger)
{
    for (auto &player : m_players)
        player = std::make_unique<Player>();
    m_deviceTimer.setSingleShot(true);
    m_deviceTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_deviceTimer, &QTimer::timeout, this, &SdlPlayers::planDevice);
}

SdlPlayers::~SdlPlayers()
{
    if (m_deviceOpen)
        closeDevice();
}

void SdlPlayers::setFileName(int index, const QString &fileName)
{
    if (index >= 1 && index <= Count)
        m_players[index - 1]->fileName = fileName;
}

void SdlPlayers::send(int index, Command command)
{
    if (index < 1 || index > Count)
        return;
    switch (command) {
    case Command::Open:
        open(index);
        break;
    case Command::Play:
        play(index);
        break;
    case Command::Prev:
        rewind(index);
        break;
    case Command::Stop:
        stop(index);
        break;
    case Command::Close:
        close(index);
        break;
    }
}

void SdlPlayers::open(int index)
{
    Player &player = *m_players[index - 1];
    stop(index);
    player.release();
    player.open = true;
    player.warned = false;
    if (openDevice())
        load(index);
    planDevice();
}

void SdlPlayers::load(int index)
{
    Player &player = *m_players[index - 1];
    if (!player.open || player.chunk || player.music)
        return;
    if (player.fileName.isEmpty()) {
        player.silence(index, QStringLiteral("no file name"));
        return;
    }
    const QString path = soundFilePath(player.fileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        player.silence(index, file.errorString());
        return;
    }
    const SoundKind kind = soundKindOf(path, file.read(12));
    file.close();
    const QByteArray nativePath = QFile::encodeName(path);
    if (kind == SoundKind::Midi) {
        if (m_soundFont.isEmpty()) {
            player.silence(index, QStringLiteral("no General MIDI SoundFont found (install timgm6mb-soundfont)"));
            return;
        }
        player.music.reset(Mix_LoadMUSType_RW(SDL_RWFromFile(nativePath.constData(), "rb"), MUS_MID, SDL_TRUE));
        if (!player.music)
            player.silence(index, sdlError());
    } else {
        player.chunk.reset(Mix_LoadWAV(nativePath.constData()));
        if (!player.chunk)
            player.silence(index, sdlError());
    }
}

void SdlPlayers::rewind(int index)
{
    Player &player = *m_players[index - 1];
    // FluidSynth's MIDI player can neither seek nor tell its position, and
    // halting it only pauses it: a fresh decoder is the one way back to the
    // start. Sampled sounds always play from their start.
    if (!player.music || player.playing)
        return;
    player.music.reset();
    load(index);
}

void SdlPlayers::play(int index)
{
    Player &player = *m_players[index - 1];
    // A sound never overlaps or restarts itself: a bell due while it still
    // rings (a short warning interval) lets the ringing one finish.
    if (!player.open || player.playing || !openDevice())
        return;
    if (player.chunk) {
        if (Mix_PlayChannel(index - 1, player.chunk.get(), 0) < 0) {
            player.silence(index, sdlError());
            return;
        }
    } else if (player.music) {
        // There is one music stream. Halting first also makes sure that the
        // music this takes over from reports its end, and reports it once.
        // A MIDI player goes on from where "Stop" left it, until "Prev".
        Mix_HaltMusic();
        if (Mix_PlayMusic(player.music.get(), 0) < 0) {
            player.silence(index, sdlError());
            return;
        }
        m_musicOwners.push_back(index);
    } else {
        return;
    }
    player.playing = true;
    player.stopRequested = false;
}

void SdlPlayers::stop(int index)
{
    Player &player = *m_players[index - 1];
    if (!player.playing)
        return;
    // A playback that has just ended by itself reports that end already;
    // halting it again would report nothing, and must not touch the music
    // another player has taken over since.
    if (player.chunk && Mix_Playing(index - 1)) {
        player.stopRequested = true;
        Mix_HaltChannel(index - 1);
    } else if (player.music && ownsMusic(index) && Mix_PlayingMusic()) {
        player.stopRequested = true;
        Mix_HaltMusic();
    }
}

void SdlPlayers::close(int index)
{
    Player &player = *m_players[index - 1];
    if (!player.open)
        return;
    stop(index);
    player.release();
    player.open = false;
    if (anyPlayer(&Player::open))
        return;
    if (m_deviceOpen)
        closeDevice();
    m_deviceTimer.stop();
    m_deviceFailed = false;
}

void SdlPlayers::setNextSoundDue(std::optional<std::chrono::milliseconds> dueIn)
{
    m_dueAt.reset();
    if (dueIn)
        m_dueAt = std::chrono::steady_clock::now() + *dueIn;
    planDevice();
}

bool SdlPlayers::anyPlayer(bool Player::*state) const
{
    return std::any_of(m_players.begin(), m_players.end(), [state](const auto &player) { return (*player).*state; });
}

// Runs whenever what is due or what plays changes, and when its own timer
// says the time has come to open or close the device.
void SdlPlayers::planDevice()
{
    m_deviceTimer.stop();
    if (!anyPlayer(&Player::open))
        return;
    const TimePoint now = std::chrono::steady_clock::now();
    const bool busy = anyPlayer(&Player::playing);
    std::optional<TimePoint> openAt;
    if (m_dueAt) {
        openAt = *m_dueAt - openAhead;
        // A sound that was due and never came (the talk paused, a setting
        // changed) keeps the device no longer than one that played.
        if (now >= *openAt && now < *m_dueAt + m_linger) {
            m_keepUntil = std::max(m_keepUntil, *m_dueAt + m_linger);
            // After a failure only a sound that plays tries again, not every
            // wake-up of the talk clock around it.
            if (!m_deviceFailed)
                openDevice();
        }
    }
    const bool reopensSoon = openAt && *openAt > now && *openAt < now + m_linger;
    if (m_deviceOpen && !busy && now >= m_keepUntil && !reopensSoon)
        closeDevice();

    // A playback's end calls this again; otherwise the timer does.
    std::optional<TimePoint> next;
    if (openAt && *openAt > now)
        next = openAt;
    if (m_deviceOpen && !busy && m_keepUntil > now)
        next = next ? std::min(*next, m_keepUntil) : m_keepUntil;
    if (next)
        m_deviceTimer.start(std::chrono::ceil<std::chrono::milliseconds>(*next - now));
}

bool SdlPlayers::ownsMusic(int index) const
{
    return !m_musicOwners.empty() && m_musicOwners.back() == index;
}

bool SdlPlayers::openDevice()
{
    if (m_deviceOpen)
        return true;
    // Tried again whenever a sound needs it: a headset may be plugged in.
    const auto fail = [this](const QString &why) {
        if (!m_deviceFailed)
            qWarning().noquote() << QStringLiteral("orlatim: no sound: %1").arg(why);
        m_deviceFailed = true;
        return false;
    };
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Orlatim");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Bells and music");
    if (deviceOwner.load())
        return fail(QStringLiteral("the audio device is held by another set of players"));
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
        return fail(sdlError());
    // The decoders load on demand; one that is missing shows as a file that
    // does not open.
    Mix_Init(MIX_INIT_FLAC | MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_MID);
    if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, m_bufferFrames, nullptr,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) < 0) {
        const QString why = sdlError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return fail(why);
    }
    m_deviceOpen = true;
    Mix_AllocateChannels(Count);
    deviceOwner = this;
    Mix_ChannelFinished(&SdlPlayers::channelFinished);
    Mix_HookMusicFinished(&SdlPlayers::musicFinished);
    if (m_mixTap)
        Mix_SetPostMix(&SdlPlayers::postMix, this);

    // A SoundFont named in the environment wins, as it would for any other
    // program on SDL_mixer; otherwise the system's General MIDI set.
    const QByteArray named = qgetenv("SDL_SOUNDFONTS");
    m_soundFont = firstExistingFile(named.isEmpty() ? defaultSoundFonts().join(QLatin1Char(':'))
                                                    : QString::fromLocal8Bit(named));
    if (!m_soundFont.isEmpty())
        Mix_SetSoundFonts(QFile::encodeName(m_soundFont).constData());

    m_deviceFailed = false;
    m_keepUntil = std::max(m_keepUntil, std::chrono::steady_clock::now() + m_linger);
    for (int index = 1; index <= Count; ++index)
        load(index);
    return true;
}

void SdlPlayers::closeDevice()
{
    // Once the hooks are gone no end can be reported by a closed device,
    // nor into a destroyed object. The decoders go before Mix_Quit unloads
    // their libraries.
    Mix_ChannelFinished(nullptr);
    Mix_HookMusicFinished(nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    deviceOwner = nullptr;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (auto &player : m_players)
        player->release();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_deviceOpen = false;
}

void SdlPlayers::playbackEnded(int index)
{
    Player &player = *m_players[index - 1];
    if (!player.playing)
        return;
    player.playing = false;
    m_keepUntil = std::max(m_keepUntil, std::chrono::steady_clock::now() + m_linger);
    emit done(index, player.stopRequested ? stoppedEarly : playedToEnd);
    planDevice();
}

// The hooks run on the mixer's audio thread when a sound ends by itself, and
// on the caller's thread inside a halt; either way the end is reported later,
// from the event loop, so handlers never run inside the mixer.
void SdlPlayers::channelFinished(int channel)
{
    SdlPlayers *self = deviceOwner.load();
    if (!self)
        return;
    QMetaObject::invokeMethod(self, [self, channel] { self->playbackEnded(channel + 1); }, Qt::QueuedConnection);
}

void SdlPlayers::musicFinished()
{
    SdlPlayers *self = deviceOwner.load();
    if (!self)
        return;
    QMetaObject::invokeMethod(
        self,
        [self] {
            if (self->m_musicOwners.empty())
                return;
            const int index = self->m_musicOwners.front();
            self->m_musicOwners.pop_front();
            self->playbackEnded(index);
        },
        Qt::QueuedConnection);
}

void SdlPlayers::postMix(void *self, quint8 *stream, int length)
{
    static_cast<SdlPlayers *>(self)->m_mixTap(reinterpret_cast<const qint16 *>(stream), length / 2);
}

} // namespace platform
