#pragma once

#include <vector>

// A desk bell struck a number of times in quick succession, as a conference
// timekeeper rings it: once, twice or three times. Mono samples whose
// loudest point is at peakLevel (0..1).
std::vector<float> deskBell(int strikes, int sampleRate, float peakLevel);
