#include "platform/sound_files.h"
#include "platform/sound_messages.h"
#include "platform/translations.h"

#include <QLocale>
#include <QTest>
#include <QTranslator>

using platform::SoundKind;
using platform::SoundProblem;

class TestSoundFiles : public QObject
{
    Q_OBJECT
private slots:
    void kind_data();
    void kind();
    void silentMessage_data();
    void silentMessage();
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

void TestSoundFiles::silentMessage_data()
{
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<int>("index");
    QTest::addColumn<SoundProblem>("problem");
    QTest::addColumn<QString>("message");
    QTest::newRow("bell") << QLocale::English << 3 << SoundProblem::Missing
                          << QStringLiteral("Bell 3 \"a.wav\" will stay silent: the file is not there.");
    QTest::newRow("music") << QLocale::English << 4 << SoundProblem::NotAudio
                           << QStringLiteral("The music \"a.wav\" will stay silent: it is not a sound file.");
    QTest::newRow("in Japanese") << QLocale::Japanese << 1 << SoundProblem::TooLarge
                                 << QStringLiteral("1鈴「a.wav」は鳴りません: ファイルが大きすぎます。");
}

void TestSoundFiles::silentMessage()
{
    QFETCH(QLocale::Language, language);
    QFETCH(int, index);
    QFETCH(SoundProblem, problem);
    QFETCH(QString, message);
    QLocale::setDefault(QLocale(language));
    platform::installTranslations(*QCoreApplication::instance());
    const QString said = platform::silentSoundMessage(index, QStringLiteral("a.wav"), problem);
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>());
    QLocale::setDefault(QLocale::c());
    QCOMPARE(said, message);
}

QTEST_GUILESS_MAIN(TestSoundFiles)
#include "test_sound_files.moc"
