// Baud-rate presets: a known rate, chosen or typed, fills in its tones and its sample rates.
#include "tests/app/handlers_fixture.h"

using namespace handlers_test;

namespace {

struct Preset {
    int row;  // BaudCB's row
    String baud, high, low;
    std::vector<String> rates;
    int32_t selected;
};

const std::vector<Preset> kPresets = {
    {0, "100", "1600", "800", {"16000", "19200", "24000", "32000", "40000"}, 3},
    {1, "126", "1764", "882", {"17640", "26460", "35280", "44100"}, 2},
    {2,
     "315",
     "3150",
     "1575",
     {"15750", "18900", "22050", "25200", "28350", "31500", "34650", "37800", "40950", "44100"},
     5},
    {3,
     "600",
     "4000",
     "2666",
     {"12000", "16000", "20000", "24000", "28000", "29400", "32000", "36000", "40000", "44000"},
     5},
    {4, "630", "6300", "3150", {"12600", "18900", "25200", "31500", "37800"}, 3},
    {5, "1225", "7350", "4900", {"14700", "22050", "29400", "36750", "44100"}, 2},
    {6, "2450", "14700", "7350", {"14700", "29400", "44100"}, 2},
};

class Presets : public Window1Test {
  protected:
    void ExpectPreset(const Preset& p) {
        EXPECT_EQ(window->HighEF()->Text(), p.high);
        EXPECT_EQ(window->LowEF()->Text(), p.low);
        EXPECT_EQ(Rows(window->SampleRateCB()), p.rates);
        EXPECT_EQ(window->SampleRateCB()->ListIndex(), p.selected);
        // Generation reads the text, so the chosen row must be in it.
        EXPECT_EQ(window->SampleRateCB()->Text(), p.rates[size_t(p.selected)]);
    }
};

TEST_F(Presets, EachChosenRowAppliesItsPreset) {
    // From the last row up, so every choice changes what the one before left.
    for (auto it = kPresets.rbegin(); it != kPresets.rend(); ++it) {
        SCOPED_TRACE(it->baud);
        ChooseRow(window->BaudCB(), it->row);
        EXPECT_EQ(window->BaudCB()->Text(), it->baud);
        ExpectPreset(*it);
    }
}

TEST_F(Presets, TypedTextMatchesByItsNumber) {
    const Preset& p315 = kPresets[2];
    for (const String text : {"315", "315.0", "3.15e2", "0315", " 315", "&h13B"}) {
        SCOPED_TRACE(text);
        ChooseRow(window->BaudCB(), 6);
        TypeInCombo(window->BaudCB(), text, true);
        ExpectPreset(p315);
    }
}

TEST_F(Presets, SamePresetTwiceGivesOneCopyOfEachRate) {
    for (const Preset* p : {&kPresets[5], &kPresets[1]}) {
        SCOPED_TRACE(p->baud);
        ChooseRow(window->BaudCB(), p->row);
        ChooseRow(window->BaudCB(), p->row);
        ExpectPreset(*p);
    }
}

TEST_F(Presets, OtherRatesEmptyTheRatesAndKeepTheFrequencies) {
    for (const String text : {"1200", "1225.5", "", "12250", "abc"}) {
        SCOPED_TRACE(text);
        ChooseRow(window->BaudCB(), 3);  // 600: rates to lose, frequencies to keep
        TypeInCombo(window->BaudCB(), text, true);
        EXPECT_EQ(window->SampleRateCB()->ListCount(), 0);
        EXPECT_EQ(window->HighEF()->Text(), "4000");
        EXPECT_EQ(window->LowEF()->Text(), "2666");
        EXPECT_EQ(window->BaudCB()->Text(), text);
    }
}

TEST_F(Presets, PresetOverwritesHandEditedFrequencies) {
    Type(window->HighEF(), "1234");
    Type(window->LowEF(), "99");
    ChooseRow(window->BaudCB(), 6);
    ExpectPreset(kPresets[6]);

    Type(window->HighEF(), "1234");
    Type(window->LowEF(), "99");
    TypeInCombo(window->BaudCB(), "1200", true);
    EXPECT_EQ(window->HighEF()->Text(), "1234");
    EXPECT_EQ(window->LowEF()->Text(), "99");
}

}  // namespace
