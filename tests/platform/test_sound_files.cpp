#include "platform/sound_files.h"

#include <QTest>

using platform::SoundKind;

class TestSoundFiles : public QObject
{
    Q_OBJECT
private slots:
    void kind_data();
    void kind();
};

void TestSoundFiles::kind_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<SoundKind>("kind");
    QTest::newRow("MIDI") << QStringLiteral("Varo-sound.mid") << QByteArray("MThd\0\0\0\6", 8) << SoundKind::Midi;
    QTest::newRow("MIDI under another name") << QStringLiteral("music.dat") << QByteArray("MThd") << SoundKind::Midi;
    QTest::newRow("RIFF-wrapped MIDI") << QStringLiteral("song.rmi") << QByteArray("RIFF\x10\0\0\0RMID", 12)
                                       << SoundKind::Midi;
    QTest::newRow("wave") << QStringLiteral("Varo-bell1.wav") << QByteArray("RIFF\x10\0\0\0WAVE", 12)
                          << SoundKind::Sampled;
    QTest::newRow("wave named .mid") << QStringLiteral("odd.mid") << QByteArray("RIFF\x10\0\0\0WAVE", 12)
                                     << SoundKind::Sampled;
    QTest::newRow("Ogg") << QStringLiteral("tune.ogg") << QByteArray("OggS\0\2", 6) << SoundKind::Sampled;
    QTest::newRow("MP3 with tag") << QStringLiteral("tune.mp3") << QByteArray("ID3\4\0", 5) << SoundKind::Sampled;
    QTest::newRow("empty .MID file") << QStringLiteral("EMPTY.MID") << QByteArray() << SoundKind::Midi;
    QTest::newRow("empty .wav file") << QStringLiteral("empty.wav") << QByteArray() << SoundKind::Sampled;
    QTest::newRow("karaoke") << QStringLiteral("song.kar") << QByteArray("MT") << SoundKind::Midi;
}

void TestSoundFiles::kind()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, head);
    QFETCH(SoundKind, kind);
    QCOMPARE(platform::soundKindOf(fileName, head), kind);
}

QTEST_GUILESS_MAIN(TestSoundFiles)
#include "test_sound_files.moc"
