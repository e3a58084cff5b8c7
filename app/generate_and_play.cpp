// Generate and play: the "Generate" button and the keypad write a file and start it in the player.
#include "app/window1.h"
#include "framework/core/exceptions.h"
#include "framework/core/numbers.h"
#include "signal/generator.h"

namespace {

// Val's Double, defined for every value: NaN and negatives 0, fractions cut, the rest capped.
uint32_t NumberOf(const String& text) {
    return DoubleToUInt32(Val(text));
}

}  // namespace

void Window1::GeneratePB_Action(std::shared_ptr<PushButton>) {
    DoGenerate(Deref(DataEF(), "DataEF").Text());
}

void Window1::NumGene_Action(std::shared_ptr<PushButton> sender) {
    auto& key = Deref(std::dynamic_pointer_cast<Window1NumGene>(sender), "NumGene");
    DoGenerate(Str(key.Index()));
}

// Nothing is caught: a failure leaves the handler with the player empty and nothing written.
void Window1::DoGenerate(const String& data) {
    // First of all, so the player lets go of a file this generation may replace.
    Deref(mp(), "mp").SetMovie(nullptr);
    const String payloadData = Module1::HexStringConv(data, mHexTagA, mHexTagB);
    const String head =
        Module1::HexStringConv(Deref(HeadEF(), "HeadEF").Text(), mHexTagA, mHexTagB);
    const String foot =
        Module1::HexStringConv(Deref(FootEF(), "FootEF").Text(), mHexTagA, mHexTagB);
    const uint32_t baud = NumberOf(Deref(BaudCB(), "BaudCB").Text());
    // The combo's text as it stands, typed or chosen; its selected row plays no part.
    const uint32_t sampleRate = NumberOf(Deref(SampleRateCB(), "SampleRateCB").Text());
    const uint32_t freqHigh = NumberOf(Deref(HighEF(), "HighEF").Text());
    const uint32_t freqLow = NumberOf(Deref(LowEF(), "LowEF").Text());
    std::shared_ptr<FolderItem> f =
        Module1::generate(payloadData, head, foot, baud, sampleRate, freqHigh, freqLow);
    Deref(mp(), "mp").SetMovie(Deref(f, "the generated file").OpenAsMovie());
    Deref(mp(), "mp").Play();
}
