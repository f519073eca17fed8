#pragma once

#include "phrase.h"

#include <vector>

// The whole phrase rendered into one buffer of mono float samples in
// [-1, 1] at the given rate, ending in silence: each note a plucked string
// of its own (an extended Karplus-Strong string), sounding through a small
// guitar body. Empty for an empty phrase or a rate outside 8000 to 192000;
// notes that start after a minute, or that no string can play, are left out.
std::vector<float> renderPhrase(const Phrase& phrase, int sampleRate);
