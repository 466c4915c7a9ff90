#pragma once
#include "ports/MediaInfoReader.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace ov {

// Stream facts read with MediaInfoLib. Each Analyze() uses a MediaInfo instance of its own
// (creating one costs next to nothing beside the parse), so one reader may serve any thread.
// A small clip takes a few milliseconds; the first analysis in a process takes longer.
class MediaInfoLibReader : public MediaInfoReader {
public:
    MediaFacts Analyze(const QString& path) override;
};

namespace mediainfolib {

// What the library says of a stream's coding, as text.
struct StreamCoding {
    QString container{}; // the general "Format": "AVI", "MPEG-4", "Matroska"
    QString codecId{};   // "XVID", "avc1", "V_MPEG4/ISO/AVC", "55", "FF-2", "A_AAC-2"
    QString format{};    // "AVC", "MPEG-4 Visual", "MPEG Audio", "PCM"
    QString version{};   // "Version 2"
    QString profile{};   // "Layer 3", "Float", "Advanced@L3"
    QString sign{};      // PCM: "Signed", "Unsigned", "Float"
};

// Four characters packed lowest byte first; shorter texts are padded with blanks.
std::uint32_t PackFourCC(const QString& text);
// The FourCC a Windows decoder would see for a video stream; empty when it has none.
std::optional<std::uint32_t> VideoCompression(const StreamCoding& coding);
// The wave format tag of an audio stream; 0 (unknown) when there is none.
int WaveFormatTag(const StreamCoding& coding);

} // namespace mediainfolib

} // namespace ov
