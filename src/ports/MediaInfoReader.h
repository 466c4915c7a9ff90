#pragma once
#include <QList>
#include <QString>
#include <cstdint>

namespace ov {

// What the media detector tells of one video stream.
struct VideoStreamFacts {
    int width = 0;
    int height = 0;
    std::uint32_t compression = 0; // FourCC as stored in the bitmap header, lowest byte first
    QString codecId;               // the container's codec id text, when the FourCC is not known
    double frameRate = 0;
    double lengthSeconds = 0;
};

// What the media detector tells of one audio stream.
struct AudioStreamFacts {
    int formatTag = 0; // wave format tag
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int bitRate = 0;
    QString codecId;
    QString additionalInfo;
    double lengthSeconds = 0;
};

struct MediaFacts {
    bool ok = false;
    QList<VideoStreamFacts> video;
    QList<AudioStreamFacts> audio;
};

// Analyses a media file's streams. Never throws: an unreadable file gives ok = false.
class MediaInfoReader {
public:
    virtual ~MediaInfoReader() = default;
    virtual MediaFacts Analyze(const QString& path) = 0;
};

} // namespace ov
