// The baud-rate presets: a known baud rate fills in its tones and its sample rates.
#include <array>
#include <cstdint>
#include <initializer_list>

#include "app/window1.h"
#include "framework/core/exceptions.h"

namespace {

struct BaudPreset {
    double baud;
    int32_t high;
    int32_t low;
    std::initializer_list<int32_t> sampleRates;
    int32_t selected;  // index into sampleRates
};

// Fixed data: several values (600's 2666 and 44000, 126's four rates) are deliberate, not typos.
const std::array<BaudPreset, 7> kBaudPresets{{
    {100, 1600, 800, {16000, 19200, 24000, 32000, 40000}, 3},
    {126, 1764, 882, {17640, 26460, 35280, 44100}, 2},
    {315, 3150, 1575, {15750, 18900, 22050, 25200, 28350, 31500, 34650, 37800, 40950, 44100}, 5},
    {600, 4000, 2666, {12000, 16000, 20000, 24000, 28000, 29400, 32000, 36000, 40000, 44000}, 5},
    {630, 6300, 3150, {12600, 18900, 25200, 31500, 37800}, 3},
    {1225, 7350, 4900, {14700, 22050, 29400, 36750, 44100}, 2},
    {2450, 14700, 7350, {14700, 29400, 44100}, 2},
}};

}  // namespace

void Window1::BaudCB_Change(std::shared_ptr<ComboBox> sender) {
    // Emptied before the text is read, so an unknown rate leaves no stale rates behind.
    Deref(SampleRateCB(), "SampleRateCB").DeleteAllRows();
    const double v = Val(Deref(sender, "BaudCB").Text());
    for (const BaudPreset& preset : kBaudPresets) {
        if (v != preset.baud) continue;
        Deref(HighEF(), "HighEF").SetText(Str(preset.high));
        Deref(LowEF(), "LowEF").SetText(Str(preset.low));
        for (int32_t rate : preset.sampleRates)
            Deref(SampleRateCB(), "SampleRateCB").AddRow(Str(rate));
        Deref(SampleRateCB(), "SampleRateCB").SetListIndex(preset.selected);
        return;
    }
}
