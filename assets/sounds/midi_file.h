#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// One track of a standard MIDI file, filled in any order by absolute tick.
class MidiTrack
{
public:
    explicit MidiTrack(const std::string &name);

    void tempo(std::uint32_t tick, int beatsPerMinute);
    void timeSignature(std::uint32_t tick, int beats, int beatUnit);
    void program(std::uint32_t tick, int channel, int instrument);
    void controller(std::uint32_t tick, int channel, int number, int value);
    void note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

    // The events in time order, each after its delta time, closed by the
    // end-of-track event at endTick (or at the last event, if later).
    Bytes encode(std::uint32_t endTick) const;

private:
    struct Event {
        std::uint32_t tick;
        int order; // at the same tick a note ends before the next begins
        Bytes bytes;
    };
    void add(std::uint32_t tick, int order, Bytes bytes);

    std::vector<Event> m_events;
};

// A format 1 file: every track plays at once, the first carries the tempo.
Bytes midiFile(const std::vector<MidiTrack> &tracks, int ticksPerQuarter, std::uint32_t endTick);

// The variable-length numbers of MIDI delta times: seven bits a byte, most
// significant first, the high bit set on every byte but the last.
Bytes variableLength(std::uint32_t value);
