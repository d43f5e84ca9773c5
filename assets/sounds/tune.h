#pragma once

#include "midi_file.h"

// The overtime music: a cheerful tune of our own in C major, about a minute
// long. A flute plays the melody twice over piano, bass and light drums; the
// second time a glockenspiel doubles it an octave higher.
struct Tune {
    std::vector<MidiTrack> tracks;
    int ticksPerQuarter = 0;
    int beatsPerMinute = 0;
    std::uint32_t endTick = 0;
};

Tune cheerfulTune();

// A MIDI key for a note name such as "C4" (60), "F#5" or "Bb3"; -1 if the
// name is not a note.
int midiKey(const std::string &name);
