#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace ov {

struct FourCCCodec {
    std::string_view key;         // lower case, no trailing blanks
    std::string_view description; // shown as the video codec
};

struct WaveFormatCodec {
    std::uint16_t tag;
    std::string_view name; // shown as the audio codec
};

// Video codec descriptions by FourCC, and audio codec names by wave format tag.
std::span<const FourCCCodec> FourCCCodecs();
std::span<const WaveFormatCodec> WaveFormatCodecs();

// The row for a key or tag; nullptr when the table has none.
const FourCCCodec* FindFourCCCodec(std::string_view lowerKey);
const WaveFormatCodec* FindWaveFormatCodec(int tag);

} // namespace ov
