#include "desk_bell.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace {

// The bell dome rings in a few inharmonic modes; the higher ones die away
// sooner, which turns the bright strike into a round hum. A real dome is
// never quite round, so each mode is a close pair of frequencies whose slow
// beat gives the bell its shimmer; every strike starts the pair in step.
struct Mode {
    double ratio;
    double amplitude;
    double decaySeconds;
    double beatHz;
};
constexpr std::array<Mode, 5> modes{{
    {1.000, 1.00, 0.60, 1.3},
    {2.756, 0.45, 0.30, 2.1},
    {5.404, 0.20, 0.15, 3.4},
    {8.933, 0.08, 0.07, 0.0},
    {13.34, 0.03, 0.04, 0.0},
}};
constexpr double fundamentalHz = 1318.5; // E6
constexpr double strikeSpacing = 0.34;    // seconds between strikes
constexpr double ringAfterLastStrike = 1.2;
constexpr double fadeSeconds = 0.25;
constexpr double hammerSeconds = 0.0004; // the hammer's contact softens the onset
constexpr double clickLevel = 0.18;
constexpr double clickDecay = 0.0012;
constexpr double beatDepth = 0.35;
constexpr double twoPi = 6.283185307179586;

} // namespace

std::vector<float> deskBell(int strikes, int sampleRate, float peakLevel)
{
    const double lastStrike = (strikes - 1) * strikeSpacing;
    const auto length = std::size_t((lastStrike + ringAfterLastStrike) * sampleRate);
    std::vector<float> out(length);

    std::mt19937 noise(1); // the same file on every build
    std::array<double, modes.size()> phase{};
    for (double &p : phase)
        p = twoPi * double(noise()) / 4294967296.0;

    std::array<double, modes.size()> level{}; // each mode's envelope, 0..1
    std::array<double, modes.size()> held{};  // its level when the last strike began
    double lastNoise = 0;
    int strike = -1;
    for (std::size_t i = 0; i < length; ++i) {
        const double t = double(i) / sampleRate;
        const int due = std::min(strikes - 1, int(t / strikeSpacing));
        if (due != strike) {
            // A strike on a ringing bell lifts every mode to its full level
            // again rather than adding to it, so each strike sounds alike.
            held = level;
            strike = due;
        }
        const double since = t - strike * strikeSpacing;
        const double rise = std::min(1.0, since / hammerSeconds);
        double value = 0;
        for (std::size_t m = 0; m < modes.size(); ++m) {
            const Mode &mode = modes[m];
            level[m] = (held[m] + (1 - held[m]) * rise) * std::exp(-since / mode.decaySeconds);
            const double f = fundamentalHz * mode.ratio;
            const double beat = 1 - beatDepth * 0.5 * (1 - std::cos(twoPi * mode.beatHz * since));
            const double tone = beat * std::sin(twoPi * f * t + phase[m]);
            value += mode.amplitude * level[m] * tone;
        }
        // The metallic tick of the hammer: a few milliseconds of bright noise.
        const double white = 2.0 * double(noise()) / 4294967296.0 - 1.0;
        value += clickLevel * (white - lastNoise) * std::exp(-since / clickDecay);
        lastNoise = white;

        const double toEnd = double(length - i) / sampleRate;
        if (toEnd < fadeSeconds)
            value *= 0.5 - 0.5 * std::cos(twoPi * 0.5 * toEnd / fadeSeconds);
        out[i] = float(value);
    }

    float peak = 0;
    for (float sample : out)
        peak = std::max(peak, std::abs(sample));
    for (float &sample : out)
        sample *= peakLevel / peak;
    return out;
}
