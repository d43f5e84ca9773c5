#include "midi_file.h"

#include <algorithm>

namespace {

void append(Bytes &to, const Bytes &bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

Bytes bigEndian(std::uint32_t value, int bytes)
{
    Bytes out;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
    return out;
}

Bytes chunk(const char *type, const Bytes &body)
{
    Bytes out(type, type + 4);
    append(out, bigEndian(std::uint32_t(body.size()), 4));
    append(out, body);
    return out;
}

} // namespace

Bytes variableLength(std::uint32_t value)
{
    Bytes out{std::uint8_t(value & 0x7f)};
    while (value >>= 7)
        out.insert(out.begin(), std::uint8_t(0x80 | (value & 0x7f)));
    return out;
}

MidiTrack::MidiTrack(const std::string &name)
{
    Bytes meta{0xff, 0x03};
    append(meta, variableLength(std::uint32_t(name.size())));
    meta.insert(meta.end(), name.begin(), name.end());
    add(0, 0, meta);
}

void MidiTrack::tempo(std::uint32_t tick, int beatsPerMinute)
{
    Bytes meta{0xff, 0x51, 0x03};
    append(meta, bigEndian(std::uint32_t(60000000 / beatsPerMinute), 3));
    add(tick, 0, meta);
}

void MidiTrack::timeSignature(std::uint32_t tick, int beats, int beatUnit)
{
    std::uint8_t power = 0;
    while ((1 << power) < beatUnit)
        ++power;
    add(tick, 0, {0xff, 0x58, 0x04, std::uint8_t(beats), power, 24, 8});
}

void MidiTrack::program(std::uint32_t tick, int channel, int instrument)
{
    add(tick, 1, {std::uint8_t(0xc0 | channel), std::uint8_t(instrument)});
}

void MidiTrack::controller(std::uint32_t tick, int channel, int number, int value)
{
    add(tick, 1, {std::uint8_t(0xb0 | channel), std::uint8_t(number), std::uint8_t(value)});
}

void MidiTrack::note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity)
{
    add(tick, 2, {std::uint8_t(0x90 | channel), std::uint8_t(key), std::uint8_t(velocity)});
    add(tick + length, 0, {std::uint8_t(0x80 | channel), std::uint8_t(key), 0});
}

void MidiTrack::add(std::uint32_t tick, int order, Bytes bytes)
{
    m_events.push_back({tick, order, std::move(bytes)});
}

Bytes MidiTrack::encode(std::uint32_t endTick) const
{
    std::vector<Event> events = m_events;
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    Bytes out;
    std::uint32_t now = 0;
    for (const Event &event : events) {
        append(out, variableLength(event.tick - now));
        append(out, event.bytes);
        now = event.tick;
    }
    append(out, variableLength(std::max(endTick, now) - now));
    append(out, {0xff, 0x2f, 0x00});
    return out;
}

Bytes midiFile(const std::vector<MidiTrack> &tracks, int ticksPerQuarter, std::uint32_t endTick)
{
    Bytes header = bigEndian(1, 2);
    append(header, bigEndian(std::uint32_t(tracks.size()), 2));
    append(header, bigEndian(std::uint32_t(ticksPerQuarter), 2));
    Bytes out = chunk("MThd", header);
    for (const MidiTrack &track : tracks)
        append(out, chunk("MTrk", track.encode(endTick)));
    return out;
}
