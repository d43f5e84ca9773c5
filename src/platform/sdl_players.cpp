#include "platform/sdl_players.h"

#include "platform/sound_messages.h"
#include "platform/sound_players.h"
#include "platform/sound_stream.h"

#include <QDebug>
#include <QScopeGuard>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <exception>
#include <limits>
#include <new>
#include <utility>

namespace platform {

namespace {

// The mixer's end-of-playback hook is a plain function without user data;
// it finds the players that own the device here.
std::atomic<SdlPlayers *> deviceOwner{nullptr};

QString sdlError() { return QString::fromUtf8(SDL_GetError()); }

// What a streamed sound's channel plays in a loop, for the stream to overwrite.
const std::vector<qint16> silentLoop(std::size_t(4096) * deviceChannels);

// A decoder that fails in any way leaves its sound silent, not the program ended.
DecodedSound decodeSafely(const QString &fileName, const std::atomic<bool> &cancelled, qint64 longestHeld)
{
    try {
        return decodeSound(fileName, cancelled, longestHeld);
    } catch (const std::bad_alloc &) {
        return {nullptr, nullptr, SoundProblem::TooLarge, QStringLiteral("out of memory")};
    } catch (const std::exception &error) {
        return {nullptr, nullptr, SoundProblem::Unreadable, QString::fromLocal8Bit(error.what())};
    }
}

} // namespace

// One playback of a streamed sound, as the mixer's effect on its channel sees it.
struct SdlPlayers::StreamPlayback {
    SdlPlayers *owner = nullptr;
    int index = 0;
    quint64 number = 0;
    SoundStream *stream = nullptr;
    std::atomic<bool> endTold{false};
};

struct SdlPlayers::Player {
    QString fileName;
    std::shared_ptr<const std::vector<qint16>> samples; // decoded, in the device's format
    std::unique_ptr<SoundStream> stream;                 // or streamed from the file
    std::unique_ptr<StreamPlayback> playback;            // the last playback of `stream`
    Mix_Chunk chunk{};  // over `samples` or silentLoop: valid while the device sleeps and opens again
    quint64 job = 0;    // the decode awaited; 0 when none is
    bool open = false;
    bool playing = false; // from "Play" until its end has been reported
    bool startWhenDecoded = false;
    bool stopRequested = false;
    bool warned = false;

    // Only once the mixer has let the sound go.
    void release()
    {
        samples.reset();
        playback.reset();
        stream.reset();
        chunk = {};
        job = 0;
        startWhenDecoded = false;
    }

    // One line per opened file, not one per "Play", so a missing bell
    // does not fill the terminal during overtime; false when it was written already.
    bool silence(int index, const QString &why)
    {
        if (warned)
            return false;
        warned = true;
        qWarning().noquote() << QStringLiteral("orlatim: sound player %1 (\"%2\") stays silent: %3")
                                    .arg(index)
                                    .arg(fileName, why);
        return true;
    }
};

std::unique_ptr<MediaPlayers> createSoundPlayers(QObject *parent)
{
    return std::make_unique<SdlPlayers>(parent);
}

SdlPlayers::SdlPlayers(QObject *parent, int bufferFrames, std::chrono::milliseconds linger, qint64 longestHeld)
    : MediaPlayers(parent)
    // A mixer chunk counts its bytes in 32 bits.
    , m_longestHeld(std::min<qint64>(
          longestHeld, std::numeric_limits<Uint32>::max() / (deviceChannels * sizeof(qint16)) - 8192))
    , m_bufferFrames(bufferFrames)
    , m_linger(linger)
{
    for (auto &player : m_players)
        player = std::make_unique<Player>();
    // One sound at a time: the other core stays free for the talk clock.
    m_decoders.setMaxThreadCount(1);
    m_deviceTimer.setSingleShot(true);
    m_deviceTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_deviceTimer, &QTimer::timeout, this, &SdlPlayers::planDevice);
}

SdlPlayers::~SdlPlayers()
{
    m_closing = true;
    m_decoders.waitForDone();
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
        // Every sound plays from its start.
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
    player.job = ++m_lastJob;
    m_decoders.start([this, index, job = player.job, fileName = player.fileName] {
        const DecodedSound sound = decodeSafely(fileName, m_closing, m_longestHeld);
        // The destructor waits for this thread, so the players still exist.
        QMetaObject::invokeMethod(
            this, [this, index, job, sound] { decoded(index, job, sound); }, Qt::QueuedConnection);
    });
    openDevice();
    planDevice();
}

void SdlPlayers::decoded(int index, quint64 job, const DecodedSound &sound)
{
    Player &player = *m_players[index - 1];
    if (player.job != job) // opened again or closed since
        return;
    player.job = 0;
    const bool waiting = std::exchange(player.startWhenDecoded, false);
    const auto tell = qScopeGuard([this] { tellSilentOnce(); });
    SoundProblem problem = sound.problem;
    QString detail = sound.detail;
    try {
        if (sound.stream)
            player.stream = std::make_unique<SoundStream>(sound.stream);
    } catch (const std::exception &error) { // no thread to be had
        problem = SoundProblem::Unreadable;
        detail = QString::fromLocal8Bit(error.what());
    }
    if (!sound.samples && !player.stream) {
        tellSilent(index, problem, detail);
        if (waiting) {
            player.playing = false;
            planDevice();
        }
        return;
    }
    player.samples = sound.samples;
    const std::vector<qint16> &played = player.stream ? silentLoop : *player.samples;
    player.chunk.allocated = 0;
    // The mixer only reads the samples.
    player.chunk.abuf = reinterpret_cast<Uint8 *>(const_cast<qint16 *>(played.data()));
    player.chunk.alen = Uint32(played.size() * sizeof(qint16));
    player.chunk.volume = MIX_MAX_VOLUME;
    if (waiting)
        start(index);
}

void SdlPlayers::tellSilent(int index, SoundProblem problem, const QString &detail)
{
    Player &player = *m_players[index - 1];
    if (player.silence(index, detail) && problem != SoundProblem::Cancelled)
        m_silentMessages << silentSoundMessage(index, player.fileName, problem);
}

// The sounds opened together are told about in one message.
void SdlPlayers::tellSilentOnce()
{
    if (!decoding() && !m_silentMessages.isEmpty())
        emit silent(std::exchange(m_silentMessages, {}).join(QLatin1Char('\n')));
}

void SdlPlayers::play(int index)
{
    Player &player = *m_players[index - 1];
    // A sound never overlaps or restarts itself: a bell due while it still
    // rings (a short warning interval) lets the ringing one finish.
    if (!player.open || player.playing || (!player.samples && !player.stream && player.job == 0))
        return;
    player.playing = true;
    player.stopRequested = false;
    if (player.job == 0)
        start(index);
    else
        player.startWhenDecoded = true;
}

void SdlPlayers::start(int index)
{
    Player &player = *m_players[index - 1];
    const int channel = index - 1;
    if (openDevice()) {
        if (!player.stream && Mix_PlayChannel(channel, &player.chunk, 0) >= 0)
            return;
        if (player.stream) {
            player.playback = std::make_unique<StreamPlayback>();
            player.playback->owner = this;
            player.playback->index = index;
            player.playback->number = ++m_lastPlayback;
            player.playback->stream = player.stream.get();
            Mix_UnregisterAllEffects(channel);
            player.stream->started();
            if (Mix_RegisterEffect(channel, &SdlPlayers::fillFromStream, nullptr, player.playback.get()) != 0 &&
                Mix_PlayChannel(channel, &player.chunk, -1) >= 0)
                return;
            Mix_UnregisterAllEffects(channel);
            player.stream->rewind();
        }
        player.silence(index, sdlError());
    }
    player.playing = false;
    planDevice();
}

void SdlPlayers::stop(int index)
{
    Player &player = *m_players[index - 1];
    if (!player.playing)
        return;
    if (player.startWhenDecoded) {
        // Stopped before it could start: its end is reported as a halt's would be.
        player.startWhenDecoded = false;
        player.stopRequested = true;
        QMetaObject::invokeMethod(this, [this, index] { playbackEnded(index); }, Qt::QueuedConnection);
        return;
    }
    // A playback that has just ended by itself reports that end already;
    // halting it again would report nothing.
    if (m_deviceOpen && Mix_Playing(index - 1)) {
        player.stopRequested = true;
        Mix_HaltChannel(index - 1);
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

bool SdlPlayers::decoding() const
{
    return std::any_of(m_players.begin(), m_players.end(), [](const auto &player) { return player->job != 0; });
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
    // Always the format the sounds were decoded into; where the hardware
    // wants another, SDL converts each buffer as it goes out.
    if (Mix_OpenAudioDevice(deviceRate, AUDIO_S16SYS, deviceChannels, m_bufferFrames, nullptr, 0) < 0) {
        const QString why = sdlError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return fail(why);
    }
    m_deviceOpen = true;
    Mix_AllocateChannels(Count);
    deviceOwner = this;
    Mix_ChannelFinished(&SdlPlayers::channelFinished);
    if (m_mixTap)
        Mix_SetPostMix(&SdlPlayers::postMix, this);
    m_deviceFailed = false;
    m_keepUntil = std::max(m_keepUntil, std::chrono::steady_clock::now() + m_linger);
    return true;
}

void SdlPlayers::closeDevice()
{
    // Once the hook is gone no end can be reported by a closed device, nor
    // into a destroyed object. The decoded sounds stay for the next opening.
    Mix_ChannelFinished(nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    deviceOwner = nullptr;
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_deviceOpen = false;
}

void SdlPlayers::playbackEnded(int index)
{
    Player &player = *m_players[index - 1];
    if (!player.playing)
        return;
    player.playing = false;
    // The mixer has let it go: the stream may wind back for the next "Play".
    if (player.stream)
        player.stream->rewind();
    m_keepUntil = std::max(m_keepUntil, std::chrono::steady_clock::now() + m_linger);
    emit done(index, player.stopRequested ? stoppedEarly : playedToEnd);
    planDevice();
}

// The end of a streamed sound comes from its stream, not from the mixer,
// whose channel loops: the channel is halted, and the halt reports the end.
void SdlPlayers::streamEnded(int index, quint64 playback)
{
    Player &player = *m_players[index - 1];
    if (player.playing && player.playback && player.playback->number == playback && m_deviceOpen &&
        Mix_Playing(index - 1))
        Mix_HaltChannel(index - 1);
}

// The hook runs on the mixer's audio thread when a sound ends by itself, and
// on the caller's thread inside a halt; either way the end is reported later,
// from the event loop, so handlers never run inside the mixer.
void SdlPlayers::channelFinished(int channel)
{
    SdlPlayers *self = deviceOwner.load();
    if (!self)
        return;
    QMetaObject::invokeMethod(self, [self, channel] { self->playbackEnded(channel + 1); }, Qt::QueuedConnection);
}

// Runs on the audio thread, over the silent loop's samples as they are mixed.
void SdlPlayers::fillFromStream(int, void *stream, int length, void *playback)
{
    auto *current = static_cast<StreamPlayback *>(playback);
    if (current->stream->fill(static_cast<qint16 *>(stream), length / int(sizeof(qint16))) ||
        current->endTold.exchange(true))
        return;
    QMetaObject::invokeMethod(
        current->owner,
        [owner = current->owner, index = current->index, number = current->number] {
            owner->streamEnded(index, number);
        },
        Qt::QueuedConnection);
}

void SdlPlayers::postMix(void *self, quint8 *stream, int length)
{
    static_cast<SdlPlayers *>(self)->m_mixTap(reinterpret_cast<const qint16 *>(stream), length / 2);
}

} // namespace platform
