#pragma once
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace ov {

// What the media detector tells of one video stream.
struct VideoStreamFacts {
    int width = 0;
    int height = 0;
    // The FourCC a Windows decoder would see in the bitmap header, lowest byte first
    // (0 = uncompressed RGB); empty when the stream's codec has no FourCC at all.
    std::optional<std::uint32_t> compression{};
    QString codecId{}; // the container's own codec id text, as found ("XVID", "avc1", "V_VP9")
    double frameRate = 0;
    double lengthSeconds = 0;
    int bitRate = 0;          // bits per second, 0 when unknown
    double displayAspect = 0; // shown width ÷ height, 0 when unknown
};

// What the media detector tells of one audio stream.
struct AudioStreamFacts {
    int formatTag = 0; // wave format tag (0 = unknown)
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;    // 0 for compressed formats that have no sample size
    int bitRate = 0;          // bits per second, 0 when unknown
    QString codecId{};        // the container's own codec id text, as found ("55", "mp4a-40-2")
    QString additionalInfo{}; // format details, e.g. "MPEG Audio, Version 1, Layer 3"
    double lengthSeconds = 0;
};

struct MediaFacts {
    bool ok = false; // the file could be read and its format was recognised
    QList<VideoStreamFacts> video{};
    QList<AudioStreamFacts> audio{};
};

// Analyses a media file's streams. Never throws: an unreadable file gives ok = false.
class MediaInfoReader {
public:
    virtual ~MediaInfoReader() = default;
    virtual MediaFacts Analyze(const QString& path) = 0;
};

} // namespace ov
