#include "platform/sound_decoding.h"

#include "platform/sound_files.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace platform {

namespace {

constexpr qint64 blockFrames = 4096;

using Samples = std::vector<qint16>;

DecodedSound failed(SoundProblem problem, const QString &detail) { return {nullptr, nullptr, problem, detail}; }

// The sound whole, while it is no longer than `longest` frames; a longer one
// goes back to its start to be streamed.
DecodedSound decodeWhole(std::unique_ptr<SoundSource> source, qint64 longest, const std::atomic<bool> &cancelled)
{
    const std::optional<qint64> length = source->length();
    Samples out;
    bool ended = false;
    // A file that says it is long is not read here at all.
    if (!length || *length <= longest) {
        out.reserve(std::size_t(std::min(length.value_or(0), longest) + blockFrames) * deviceChannels);
        while (!ended && qint64(out.size()) <= longest * deviceChannels) {
            if (cancelled.load())
                return failed(SoundProblem::Cancelled, QStringLiteral("cancelled"));
            const std::size_t at = out.size();
            out.resize(at + std::size_t(blockFrames) * deviceChannels);
            const qint64 frames = source->read(out.data() + at, blockFrames);
            if (frames < 0)
                return failed(SoundProblem::Unreadable, QStringLiteral("the file cannot be read to its end"));
            out.resize(at + std::size_t(frames) * deviceChannels);
            ended = frames == 0;
        }
    }
    if (ended && out.empty())
        return failed(SoundProblem::NotAudio, QStringLiteral("no audio in the file"));
    if (ended) {
        if (out.capacity() - out.size() > out.size() / 16)
            out.shrink_to_fit();
        return {std::make_shared<const Samples>(std::move(out)), nullptr, SoundProblem::None, QString()};
    }
    if (!source->rewind())
        return failed(SoundProblem::Unreadable, QStringLiteral("the file cannot be read again from its start"));
    return {nullptr, std::shared_ptr<SoundSource>(std::move(source)), SoundProblem::None, QString()};
}

} // namespace

DecodedSound decodeSound(const QString &storedName, const std::atomic<bool> &cancelled, qint64 longestHeld)
{
    if (storedName.isEmpty())
        return failed(SoundProblem::NoFileName, QStringLiteral("no file name"));
    const QString path = soundFilePath(storedName);
    const QFileInfo info(path);
    if (!info.exists())
        return failed(SoundProblem::Missing, QStringLiteral("no such file"));
    // A pipe would block the decoder for ever, and a device or a folder is no sound.
    if (!info.isFile())
        return failed(SoundProblem::NotAudio, QStringLiteral("not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(SoundProblem::Unreadable, file.errorString());
    OpenedSource opened;
    if (soundKindOf(path, file.peek(12)) == SoundKind::Midi) {
        if (file.size() > largestMidiFile)
            return failed(SoundProblem::TooLarge,
                          QStringLiteral("%1 bytes, too large for a MIDI file").arg(file.size()));
        opened = openMidiSource(file.readAll());
    } else {
        file.close();
        opened = openSampledSource(path);
    }
    if (!opened.source)
        return failed(opened.problem, opened.detail);
    return decodeWhole(std::move(opened.source), longestHeld, cancelled);
}

} // namespace platform
