// Images decoded by an independent receiver, minimodem, must give back their payload exactly.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "signal/generator.h"
#include "tests/support/bytes.h"
#include "tests/support/temp_home.h"

namespace {

struct Preset {
    uint32_t baud, sampleRate, high, low;
};

const Preset kPresets[] = {
    {100, 32000, 1600, 800},    {126, 35280, 1764, 882},  {315, 31500, 3150, 1575},
    {600, 29400, 4000, 2666},   {630, 31500, 6300, 3150}, {1225, 29400, 7350, 4900},
    {2450, 44100, 14700, 7350},
};

// minimodem's output for the file, and its exit status.
std::pair<String, int> Receive(const std::filesystem::path& wav, const Preset& p,
                               const std::filesystem::path& errors) {
    const std::string command = "minimodem --rx -q -f '" + wav.string() + "' -M " +
                                std::to_string(p.high) + " -S " + std::to_string(p.low) + " " +
                                std::to_string(p.baud) + " 2>'" + errors.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {"", -1};
    String out;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    const int status = pclose(pipe);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(RoundTrip, MinimodemDecodesEveryPreset) {
    TempHome dir;
    // Text, the window's two line feeds, and bytes at the edges of the range.
    const String payload = String("Hello!\n\n\x00\xFF\x80\x7F", 12) + "Tarnwhistle 0123456789";
    for (const Preset& p : kPresets) {
        SCOPED_TRACE(testing::Message()
                     << p.baud << " baud, " << p.sampleRate << " Hz, " << p.high << "/" << p.low);
        GeneraterClass g;
        g.Constructor(payload, "", "", p.baud, p.sampleRate, p.high, p.low);
        const auto wav = dir.Path() / ("preset" + std::to_string(p.baud) + ".wav");
        WriteFile(wav, g.mWavData);

        const auto errors = dir.Path() / "minimodem.err";
        const auto [received, status] = Receive(wav, p, errors);
        ASSERT_NE(status, 127) << "minimodem is not installed";
        EXPECT_EQ(status, 0) << ReadFile(errors);
        EXPECT_EQ(received, payload) << ReadFile(errors);
    }
}

}  // namespace
