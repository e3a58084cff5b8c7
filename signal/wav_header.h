#pragma once
// The RIFF WAVE header of the modulator's images.
#include <cstdint>

#include "framework/core/text.h"

// The 44-byte RIFF WAVE header of an 8-bit mono PCM image.
String WavHeader(uint32_t sampleRate, uint32_t dataSize);
