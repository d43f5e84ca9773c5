#include "tune.h"

#include <array>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

constexpr int ticksPerQuarter = 480;
constexpr int eighth = ticksPerQuarter / 2;
constexpr int barTicks = 8 * eighth;
constexpr int beatsPerMinute = 132;

// General MIDI programs, counted from 0, and the channels that play them.
constexpr int flute = 73, glockenspiel = 9, piano = 0, acousticBass = 32;
constexpr int melodyChannel = 0, bellChannel = 1, pianoChannel = 2, bassChannel = 3, drumChannel = 9;
constexpr int kick = 36, sideStick = 37, closedHat = 42, crash = 49;

// Sixteen bars, a rising first half and an answering second, each note a
// name and a length in eighths; "R" rests.
constexpr std::array<const char *, 16> melody{
    "C5:2 E5:2 G5:2 E5:2", "D5:3 E5:1 D5:2 B4:2", "C5:2 E5:2 G5:2 C6:2", "A5:2 G5:2 F5:2 D5:2",
    "A5:2 A5:1 G5:1 F5:2 A5:2", "G5:2 E5:2 C5:4", "D5:2 E5:1 F5:1 G5:2 B4:2", "C5:6 R:2",
    "E5:2 A5:2 A5:2 G5:1 A5:1", "B5:2 G5:2 E5:4", "F5:2 A5:2 C6:2 A5:2", "G5:4 D5:4",
    "E5:2 G5:1 E5:1 C5:2 E5:2", "F5:2 A5:1 F5:1 D5:2 F5:2", "G5:3 F5:1 E5:2 D5:2", "C5:6 R:2",
};
constexpr std::array<const char *, 16> harmony{
    "C", "G", "C", "G7", "F", "C", "G7", "C", "Am", "Em", "F", "G", "C", "F", "G7", "C",
};
constexpr std::array<const char *, 2> introHarmony{"C", "G7"};

struct Chord {
    int root;  // bass on the first beat
    int fifth; // bass on the third
    std::array<int, 3> keys;
};
const std::map<std::string, Chord> chords{
    {"C", {36, 43, {60, 64, 67}}},  {"G", {43, 38, {59, 62, 67}}}, {"G7", {43, 38, {59, 65, 67}}},
    {"F", {41, 36, {60, 65, 69}}},  {"Am", {45, 40, {60, 64, 69}}}, {"Em", {40, 47, {59, 64, 67}}},
};

struct Note {
    int key; // -1: rest
    int eighths;
};

std::vector<Note> parseBar(const char *bar)
{
    std::vector<Note> notes;
    std::istringstream words(bar);
    std::string word;
    int total = 0;
    while (words >> word) {
        const auto colon = word.find(':');
        const std::string name = word.substr(0, colon);
        const int eighths = std::stoi(word.substr(colon + 1));
        const int key = name == "R" ? -1 : midiKey(name);
        if (name != "R" && key < 0)
            throw std::invalid_argument("not a note: " + word);
        notes.push_back({key, eighths});
        total += eighths;
    }
    if (total != 8)
        throw std::invalid_argument(std::string("a bar of 4/4 needs eight eighths: ") + bar);
    return notes;
}

void setUp(MidiTrack &track, int channel, int program, int volume, int pan)
{
    if (program >= 0)
        track.program(0, channel, program);
    track.controller(0, channel, 7, volume);
    track.controller(0, channel, 10, pan);
    track.controller(0, channel, 91, 40); // a little room
}

void playMelody(MidiTrack &track, int channel, std::uint32_t start, int transpose, int velocity, bool ringShort)
{
    std::uint32_t tick = start;
    for (const char *bar : melody) {
        for (const Note &note : parseBar(bar)) {
            const std::uint32_t length = std::uint32_t(note.eighths * eighth);
            if (note.key >= 0) {
                const std::uint32_t held = ringShort ? std::min<std::uint32_t>(length, ticksPerQuarter) : length - 30;
                track.note(tick, held, channel, note.key + transpose, velocity);
            }
            tick += length;
        }
    }
}

// Oom-pah: bass on the first and third beats, the chord on the second and
// fourth, hi-hat eighths, kick and side stick under them.
void accompany(MidiTrack &pianoTrack, MidiTrack &bassTrack, MidiTrack &drumTrack, std::uint32_t bar,
               const std::string &chordName)
{
    const Chord &chord = chords.at(chordName);
    const std::uint32_t start = bar * barTicks;
    const std::uint32_t beat = ticksPerQuarter;
    bassTrack.note(start, beat * 9 / 10, bassChannel, chord.root, 84);
    bassTrack.note(start + 2 * beat, beat * 9 / 10, bassChannel, chord.fifth, 78);
    for (std::uint32_t offbeat : {beat, 3 * beat}) {
        for (int key : chord.keys)
            pianoTrack.note(start + offbeat, beat * 4 / 5, pianoChannel, key, 54);
    }
    for (int e = 0; e < 8; ++e)
        drumTrack.note(start + std::uint32_t(e * eighth), eighth / 2, drumChannel, closedHat, e % 2 ? 30 : 44);
    for (std::uint32_t onBeat : {0u, 2 * beat})
        drumTrack.note(start + onBeat, eighth, drumChannel, kick, 70);
    for (std::uint32_t offbeat : {beat, 3 * beat})
        drumTrack.note(start + offbeat, eighth, drumChannel, sideStick, 50);
}

} // namespace

int midiKey(const std::string &name)
{
    static const std::map<char, int> steps{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    if (name.size() < 2 || !steps.count(name[0]))
        return -1;
    int key = steps.at(name[0]);
    std::size_t at = 1;
    if (name[at] == '#' || name[at] == 'b')
        key += name[at++] == '#' ? 1 : -1;
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '9')
        return -1;
    return 12 * (name[at] - '0' + 1) + key;
}

Tune cheerfulTune()
{
    MidiTrack conductor("Varo-sound");
    conductor.tempo(0, beatsPerMinute);
    conductor.timeSignature(0, 4, 4);

    MidiTrack melodyTrack("Flute");
    MidiTrack bellTrack("Glockenspiel");
    MidiTrack pianoTrack("Piano");
    MidiTrack bassTrack("Bass");
    MidiTrack drumTrack("Drums");
    setUp(melodyTrack, melodyChannel, flute, 110, 64);
    setUp(bellTrack, bellChannel, glockenspiel, 76, 84);
    setUp(pianoTrack, pianoChannel, piano, 88, 44);
    setUp(bassTrack, bassChannel, acousticBass, 100, 64);
    setUp(drumTrack, drumChannel, -1, 80, 64);

    // Two bars of accompaniment, the melody twice, then a closing chord.
    std::uint32_t bar = 0;
    for (const char *chord : introHarmony)
        accompany(pianoTrack, bassTrack, drumTrack, bar++, chord);
    for (int pass = 0; pass < 2; ++pass) {
        const std::uint32_t start = bar * barTicks;
        playMelody(melodyTrack, melodyChannel, start, 0, 96, false);
        if (pass == 1)
            playMelody(bellTrack, bellChannel, start, 12, 60, true);
        for (const char *chord : harmony)
            accompany(pianoTrack, bassTrack, drumTrack, bar++, chord);
    }
    const std::uint32_t last = bar * barTicks;
    melodyTrack.note(last, barTicks, melodyChannel, midiKey("C5"), 90);
    bellTrack.note(last, barTicks, bellChannel, midiKey("C6"), 60);
    for (int key : chords.at("C").keys)
        pianoTrack.note(last, barTicks, pianoChannel, key, 64);
    bassTrack.note(last, barTicks, bassChannel, chords.at("C").root, 90);
    drumTrack.note(last, eighth, drumChannel, kick, 80);
    drumTrack.note(last, barTicks, drumChannel, crash, 72);

    return {{conductor, melodyTrack, bellTrack, pianoTrack, bassTrack, drumTrack},
            ticksPerQuarter,
            beatsPerMinute,
            last + barTicks};
}
