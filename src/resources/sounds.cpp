#include "zentnet/resources/sounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "zentnet/automation/error.h"

namespace zentnet {

namespace {

// A tone gliding from `startHz` to `endHz`, with some second harmonic for colour. On two
// channels the right one plays a fifth above the left so the stereo sound is recognisable.
struct Voice {
  double startHz;
  double endHz;
  double harmonic;  // weight of the second harmonic, 0 for a pure tone
};

struct SoundSpec {
  int32_t id;
  uint16_t channels;
  uint32_t rate;  // samples per second per channel
  uint16_t bits;  // 8 (unsigned) or 16 (signed)
  uint32_t centiseconds;
  Voice voice;
};

// Formats and lengths are those the application was built against; the tones are ours.
// Falling and rising pairs suit off-line/on-line, short blips saturation and limits, the low
// buzz a shutdown, but the application decides which sound goes with which condition.
constexpr SoundSpec kSounds[] = {
    {101, 1, 22050, 8, 45, {880.0, 440.0, 0.25}},   {102, 1, 22050, 8, 47, {440.0, 880.0, 0.25}},
    {200, 1, 22050, 16, 11, {1200.0, 1200.0, 0.0}}, {201, 2, 44100, 16, 12, {660.0, 660.0, 0.1}},
    {202, 1, 22050, 8, 14, {1500.0, 1800.0, 0.0}},  {203, 1, 11025, 16, 47, {220.0, 196.0, 0.6}},
};

constexpr std::array<int32_t, std::size(kSounds)> kIds = [] {
  std::array<int32_t, std::size(kSounds)> ids{};
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = kSounds[i].id;
  return ids;
}();

constexpr double kPeak = 0.6;           // of full scale, leaving headroom for the player's mixer
constexpr double kFadeSeconds = 0.005;  // ramps at both ends keep the speaker from clicking
constexpr uint32_t kHeaderBytes = 44;   // RIFF header, 16-byte fmt chunk, data chunk header

// Length in whole sample frames: rate times length, rounded to the nearest frame, halves up
// (22050 Hz for 0.45 s gives 9923 frames).
constexpr uint32_t FrameCount(const SoundSpec& s) { return (s.rate * s.centiseconds + 50) / 100; }

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}

uint16_t BlockAlign(const SoundSpec& s) { return static_cast<uint16_t>(s.channels * (s.bits / 8)); }

// The RIFF header, the 16-byte PCM format chunk and the data chunk's header.
void PutHeader(std::vector<uint8_t>& out, const SoundSpec& s, uint32_t dataBytes, uint32_t pad) {
  PutTag(out, "RIFF");
  Put32(out, kHeaderBytes - 8 + dataBytes + pad);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, s.channels);
  Put32(out, s.rate);
  Put32(out, s.rate * BlockAlign(s));
  Put16(out, BlockAlign(s));
  Put16(out, s.bits);
  PutTag(out, "data");
  Put32(out, dataBytes);
}

void PutSamples(std::vector<uint8_t>& out, const SoundSpec& s, uint32_t frames) {
  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  const double rate = s.rate;
  const double fade = std::max(1.0, kFadeSeconds * rate);
  const double last = std::max(1.0, static_cast<double>(frames - 1));
  std::array<double, 2> phase{};
  for (uint32_t n = 0; n < frames; ++n) {
    const double progress = n / last;
    const double hz = s.voice.startHz + (s.voice.endHz - s.voice.startHz) * progress;
    const double envelope = std::min({1.0, n / fade, (last - n) / fade});
    for (uint16_t c = 0; c < s.channels; ++c) {
      phase[c] += kTwoPi * hz * (c == 0 ? 1.0 : 1.5) / rate;
      const double wave = (std::sin(phase[c]) + s.voice.harmonic * std::sin(2.0 * phase[c])) /
                          (1.0 + s.voice.harmonic);
      const double v = std::clamp(kPeak * envelope * wave, -1.0, 1.0);
      if (s.bits == 8) {
        out.push_back(static_cast<uint8_t>(std::lround(128.0 + 127.0 * v)));
      } else {
        Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(32767.0 * v))));
      }
    }
  }
}

std::vector<uint8_t> Render(const SoundSpec& s) {
  const uint32_t frames = FrameCount(s);
  const uint32_t dataBytes = frames * BlockAlign(s);
  const uint32_t pad = dataBytes % 2;  // RIFF chunks occupy an even number of bytes
  std::vector<uint8_t> out;
  out.reserve(kHeaderBytes + dataBytes + pad);
  PutHeader(out, s, dataBytes, pad);
  PutSamples(out, s, frames);
  if (pad) out.push_back(0);
  return out;
}

// Rendered once, on the first request; a few hundred kilobytes in all.
const std::array<std::vector<uint8_t>, std::size(kSounds)>& Rendered() {
  static const auto files = [] {
    std::array<std::vector<uint8_t>, std::size(kSounds)> all;
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = Render(kSounds[i]);
    return all;
  }();
  return files;
}

}  // namespace

std::span<const uint8_t> LoadResSound(int32_t id) {
  const auto* it = std::find(kIds.begin(), kIds.end(), id);
  if (it == kIds.end()) err::RaiseResourceNotFound(id);
  const auto& file = Rendered()[static_cast<std::size_t>(it - kIds.begin())];
  return {file.data(), file.size()};
}

std::span<const int32_t> ResSoundIds() { return {kIds.data(), kIds.size()}; }

}  // namespace zentnet
