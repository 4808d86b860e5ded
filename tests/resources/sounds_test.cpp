#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "zentnet/automation/error.h"
#include "zentnet/resources/sounds.h"

namespace zentnet {
namespace {

uint32_t Le16(std::span<const uint8_t> b, std::size_t at) {
  return static_cast<uint32_t>(b[at] | (b[at + 1] << 8));
}
uint32_t Le32(std::span<const uint8_t> b, std::size_t at) {
  return Le16(b, at) | (Le16(b, at + 2) << 16);
}
std::string Tag(std::span<const uint8_t> b, std::size_t at) {
  return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

struct Expected {
  int32_t id;
  uint32_t channels, rate, bits;
  double seconds;
  uint32_t frames;  // rate * seconds, rounded to the nearest frame, halves up
};

constexpr Expected kTable[] = {
    {101, 1, 22050, 8, 0.45, 9923},  {102, 1, 22050, 8, 0.47, 10364},
    {200, 1, 22050, 16, 0.11, 2426}, {201, 2, 44100, 16, 0.12, 5292},
    {202, 1, 22050, 8, 0.14, 3087},  {203, 1, 11025, 16, 0.47, 5182},
};

TEST(Sounds, IdsAreTheSixWaveResources) {
  const auto ids = ResSoundIds();
  EXPECT_EQ(std::vector<int32_t>(ids.begin(), ids.end()),
            (std::vector<int32_t>{101, 102, 200, 201, 202, 203}));
}

TEST(Sounds, HeadersDescribeThePcmFormatAndLength) {
  for (const auto& e : kTable) {
    SCOPED_TRACE(e.id);
    const auto f = LoadResSound(e.id);
    ASSERT_GE(f.size(), 44u);
    const uint32_t block = e.channels * e.bits / 8;
    const uint32_t data = e.frames * block;
    const uint32_t pad = data % 2;
    // The rounding rule stays within half a frame of the nominal length.
    EXPECT_LE(std::abs(e.frames - e.rate * e.seconds), 0.5);

    EXPECT_EQ(Tag(f, 0), "RIFF");
    EXPECT_EQ(Le32(f, 4), f.size() - 8);
    EXPECT_EQ(Tag(f, 8), "WAVE");
    EXPECT_EQ(Tag(f, 12), "fmt ");
    EXPECT_EQ(Le32(f, 16), 16u);
    EXPECT_EQ(Le16(f, 20), 1u);  // PCM
    EXPECT_EQ(Le16(f, 22), e.channels);
    EXPECT_EQ(Le32(f, 24), e.rate);
    EXPECT_EQ(Le32(f, 28), e.rate * block);
    EXPECT_EQ(Le16(f, 32), block);
    EXPECT_EQ(Le16(f, 34), e.bits);
    EXPECT_EQ(Tag(f, 36), "data");
    EXPECT_EQ(Le32(f, 40), data);
    EXPECT_EQ(f.size(), 44u + data + pad);
    if (pad) {
      EXPECT_EQ(f.back(), 0u);
    }
  }
}

// Sample `i` (counting across channels) scaled to -1..1.
double Sample(std::span<const uint8_t> f, uint32_t bits, std::size_t i) {
  if (bits == 8) return (f[44 + i] - 128.0) / 127.0;
  const auto raw = static_cast<int16_t>(Le16(f, 44 + 2 * i));
  return raw / 32767.0;
}

TEST(Sounds, SamplesAreAudibleTonesThatStartAndEndSilent) {
  for (const auto& e : kTable) {
    SCOPED_TRACE(e.id);
    const auto f = LoadResSound(e.id);
    const std::size_t samples = std::size_t{e.frames} * e.channels;
    double peak = 0;
    std::size_t crossings = 0;
    for (std::size_t i = 0; i < samples; ++i) {
      const double v = Sample(f, e.bits, i);
      peak = std::max(peak, std::abs(v));
      if (i >= e.channels && (Sample(f, e.bits, i - e.channels) < 0) != (v < 0)) ++crossings;
    }
    EXPECT_GT(peak, 0.4);
    EXPECT_LT(peak, 0.7);
    // A tone of a few hundred hertz or more crosses zero many times; noise or DC would not fit.
    EXPECT_GT(crossings, static_cast<std::size_t>(e.seconds * 2 * 150 * e.channels));
    for (uint32_t c = 0; c < e.channels; ++c) {
      EXPECT_LT(std::abs(Sample(f, e.bits, c)), 0.02);
      EXPECT_LT(std::abs(Sample(f, e.bits, samples - e.channels + c)), 0.02);
    }
  }
}

TEST(Sounds, StereoChannelsDiffer) {
  const auto f = LoadResSound(201);
  std::size_t differing = 0;
  for (std::size_t frame = 0; frame < 5292; ++frame)
    if (Le16(f, 44 + 4 * frame) != Le16(f, 46 + 4 * frame)) ++differing;
  EXPECT_GT(differing, 5292u / 2);
}

TEST(Sounds, RepeatedLoadsHandOutTheSameBytes) {
  const auto a = LoadResSound(203);
  const auto b = LoadResSound(203);
  EXPECT_EQ(a.data(), b.data());
  EXPECT_EQ(a.size(), b.size());
}

TEST(Sounds, UnknownIdRaisesTheLoaderError) {
  for (int32_t id : {0, 1, 100, 103, 199, 204, 1500, -101}) {
    try {
      (void)LoadResSound(id);
      ADD_FAILURE() << "sound " << id << " loaded";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), 326);
      EXPECT_EQ(e.Source(), "ZentNetLib");
      EXPECT_EQ(e.Description(), "Resource with identifier '" + std::to_string(id) + "' not found");
    }
  }
}

}  // namespace
}  // namespace zentnet
