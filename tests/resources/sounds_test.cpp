// The six WAVE resources: PCM headers that match their formats and lengths, and the
// loader's error for any other id.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "zentnet/automation/error.h"
#include "zentnet/resources/sounds.h"

namespace zentnet {
namespace {

uint32_t Le16(std::span<const uint8_t> b, std::size_t at) { return b[at] | (b[at + 1] << 8u); }
uint32_t Le32(std::span<const uint8_t> b, std::size_t at) {
  return Le16(b, at) | (Le16(b, at + 2) << 16u);
}
std::string Tag(std::span<const uint8_t> b, std::size_t at) {
  return {b.begin() + at, b.begin() + at + 4};
}

struct Format {
  int32_t id;
  uint32_t channels, rate, bits, frames;  // frames: rate times length, to the nearest frame
  uint32_t digest;  // FNV-1a of the file: the waveform is our own synthesis, kept as it is
};
constexpr Format kFormats[] = {
    {101, 1, 22050, 8, 9923, 0xC44439DF},  {102, 1, 22050, 8, 10364, 0x71B28EB3},
    {200, 1, 22050, 16, 2426, 0x69A0909F}, {201, 2, 44100, 16, 5292, 0x84947148},
    {202, 1, 22050, 8, 3087, 0x5BF37FF3},  {203, 1, 11025, 16, 5182, 0x69916B3C},
};

TEST(Sounds, HeadersDescribeThePcmFormatAndLength) {
  const auto ids = ResSoundIds();
  EXPECT_EQ(std::vector<int32_t>(ids.begin(), ids.end()),
            (std::vector<int32_t>{101, 102, 200, 201, 202, 203}));
  for (const auto& e : kFormats) {
    SCOPED_TRACE(e.id);
    const auto f = LoadResSound(e.id);
    ASSERT_GE(f.size(), 44u);
    const uint32_t block = e.channels * e.bits / 8, data = e.frames * block;
    EXPECT_EQ(Tag(f, 0) + Tag(f, 8) + Tag(f, 12) + Tag(f, 36), "RIFFWAVEfmt data");
    const uint32_t header[] = {Le32(f, 4),  Le32(f, 16), Le16(f, 20), Le16(f, 22), Le32(f, 24),
                               Le32(f, 28), Le16(f, 32), Le16(f, 34), Le32(f, 40)};
    const uint32_t expected[] = {static_cast<uint32_t>(f.size() - 8),
                                 16,
                                 1,
                                 e.channels,
                                 e.rate,
                                 e.rate * block,
                                 block,
                                 e.bits,
                                 data};
    EXPECT_TRUE(std::equal(std::begin(header), std::end(header), std::begin(expected)));
    EXPECT_EQ(f.size(), 44u + data + data % 2);      // a pad byte keeps the chunk even
    EXPECT_EQ(LoadResSound(e.id).data(), f.data());  // loaded once
    uint32_t digest = 2166136261u;
    for (const uint8_t b : f) digest = (digest ^ b) * 16777619u;
    EXPECT_EQ(digest, e.digest);
  }
}

TEST(Sounds, UnknownIdRaisesTheLoaderError) {
  for (int32_t id : {100, 103, 204}) {
    try {
      (void)LoadResSound(id);
      ADD_FAILURE() << "sound " << id << " loaded";
    } catch (const AutomationError& e) {
      EXPECT_EQ(std::to_string(e.Number()) + " " + e.Source() + ": " + e.Description(),
                "326 ZentNetLib: Resource with identifier '" + std::to_string(id) + "' not found");
    }
  }
}

}  // namespace
}  // namespace zentnet
