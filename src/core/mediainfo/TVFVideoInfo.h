#pragma once
#include "ports/MediaInfoReader.h"

#include <QList>
#include <QString>
#include <cstdint>

namespace ov {

// The first video stream of the analysed file; empty texts and zeros when there is none.
struct TVFVideoStreamInfo {
    QString CodecDescription; // "XVID MPEG-4"; "Unknown Codec" when the FourCC is not in the table
    QString DurationText;     // "05:07", "01:02:03"
    QString DurationMs;       // "307000"
    QString FourCC;           // "XVID", "RGB"; empty when the codec has no FourCC
    double FrameRate = 0;     // frames per second
    int Width = 0;
    int Height = 0;
    int FrameCount = 0; // length × frame rate, rounded
    // Kept for completeness; nothing shows them.
    QString AspectRatio; // "4:3"
    int AspectNumerator = 0;
    int AspectDenominator = 0;
    int BitRate = 0;   // bits per second
    double Aspect = 0; // shown width ÷ height
};

// One audio stream; every value is text, as the file information dialog shows it.
struct TVFAudioStreamInfo {
    QString BitRate;       // bits per second, "0" when unknown
    QString Channels;      // "2"
    QString SampleRate;    // Hz, "44100"
    QString BitsPerSample; // "16"; "0" for formats without a sample size
    QString CodecName;     // by wave format tag; "Unknown" when not in the table
    QString AdditionalInfo;
    QString DurationText;
    QString DurationMs;
};

// The media-information component: FileName in, Analyze(), then the results below.
class TVFVideoInfo {
public:
    explicit TVFVideoInfo(MediaInfoReader& reader) : reader_(reader) {}

    QString FileName; // full path of the file to analyse

    // Clears the previous results and fills them from FileName. Never throws: whatever
    // cannot be read stays empty or zero. False when the file could not be read.
    bool Analyze() noexcept;
    void Clear();

    // Results of the last analysis.
    QString FileFormat; // by the file's extension: "AVI", "Matroska"; empty when unknown
    TVFVideoStreamInfo Video;
    QList<TVFAudioStreamInfo> AudioStreams;

    int AudioStreamCount() const { return static_cast<int>(AudioStreams.size()); }
    // An empty record for an index out of range.
    const TVFAudioStreamInfo& AudioStream(int index) const;

private:
    void Fill(const MediaFacts& facts);

    MediaInfoReader& reader_;
};

// The container's name by file extension (dots and case do not matter); empty when unknown.
QString FileFormatForExtension(const QString& extension);
// Whole seconds of a length as "mm:ss", or "hh:mm:ss" from an hour on.
QString DurationText(double seconds);
// A length in milliseconds, rounded, as decimal text.
QString DurationMsText(double seconds);
// 0 "RGB", 1 "RLE8", 2 "RLE4", 3 "BITFIELDS"; otherwise the four bytes, lowest first.
QString FourCCText(std::uint32_t compression);
// The codec's description by FourCC text, whatever its case; "Unknown Codec" when unknown.
QString VideoCodecDescription(const QString& fourccText);
// The codec's name by wave format tag; "Unknown" when unknown.
QString AudioCodecName(int formatTag);
// Frames in a stream: length × frame rate, rounded; 0 for nonsense input.
int FrameCount(double lengthSeconds, double frameRate);

struct AspectFraction {
    int numerator = 0;
    int denominator = 0;
};
// The simplest fraction close to an aspect value (1.333 → 4:3, 1.778 → 16:9); 0:0 for none.
AspectFraction AspectFractionOf(double aspect);

} // namespace ov
