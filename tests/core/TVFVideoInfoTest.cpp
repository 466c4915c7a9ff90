#include "core/mediainfo/TVFVideoInfo.h"
#include "core/mediainfo/CodecTables.h"
#include "fakes/FakeMisc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace ov {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint32_t Pack(const char (&text)[5]) {
    return static_cast<std::uint8_t>(text[0]) | static_cast<std::uint8_t>(text[1]) << 8 |
           static_cast<std::uint8_t>(text[2]) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24;
}

TEST(TVFVideoInfo, FileFormatByExtension) {
    const struct {
        const char* extension;
        const char* format;
    } cases[] = {
        {"AVI", "AVI"},
        {".avi", "AVI"},
        {"Avi", "AVI"},
        {"MPG", "MPEG 1/2"},
        {".mpeg", "MPEG 1/2"},
        {"VOB", "DVD VOB"},
        {"mp4", "MPEG 4"},
        {"WMV", "Windows Media Video"},
        {"asf", "Windows Media Video (ASF)"},
        {"MOV", "QuickTime MOV"},
        {"3gp", "QuickTime 3GP"},
        {"3G2", "QuickTime 3GP2"},
        {"ogm", "OGG Media"},
        {"MKV", "Matroska"},
        {"rm", "RealMedia"},
        // Anything else, near misses included, has no name.
        {"", ""},
        {".", ""},
        {"webm", ""},
        {"ogg", ""},
        {"rmvb", ""},
        {"mpe", ""},
        {"mp4 ", ""},
        {"divx", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        EXPECT_EQ(FileFormatForExtension(QString::fromLatin1(c.extension)),
                  QString::fromLatin1(c.format));
    }
}

TEST(TVFVideoInfo, DurationTexts) {
    const struct {
        double seconds;
        const char* text;
        const char* ms;
    } cases[] = {
        {0, "00:00", "0"},
        {2.0236, "00:02", "2024"}, // whole seconds truncated, milliseconds rounded
        {59.999, "00:59", "59999"},
        {307, "05:07", "307000"},
        {3599.9, "59:59", "3599900"},
        {3600, "01:00:00", "3600000"},
        {3723, "01:02:03", "3723000"},
        {1.0625, "00:01", "1063"},
        {360000, "100:00:00", "360000000"},
        // Nonsense lengths read from a file count as none.
        {-5, "00:00", "0"},
        {kNaN, "00:00", "0"},
        {kInf, "00:00", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(DurationText(c.seconds), QString::fromLatin1(c.text));
        EXPECT_EQ(DurationMsText(c.seconds), QString::fromLatin1(c.ms));
    }
}

TEST(TVFVideoInfo, FourCCTextAndCodecDescription) {
    const struct {
        std::uint32_t compression;
        const char* fourcc;
        const char* description;
    } cases[] = {
        {0, "RGB", "Uncompressed RGB"},
        {1, "RLE8", "Run-length encoded RGB, 8 bits"},
        {2, "RLE4", "Run-length encoded RGB, 4 bits"},
        {3, "BITFIELDS", "Uncompressed RGB with bit masks"},
        {Pack("XVID"), "XVID", "XVID MPEG-4"},
        {Pack("3IV1"), "3IV1", "MPEG4-based codec 3ivx V1"},
        {Pack("cvid"), "cvid", "Cinepak by Radius YUV 4:2:2"},
        {Pack("DIVX"), "DIVX", "DivX"},
        {Pack("DX50"), "DX50", "DivX 5.0 codec"},
        {Pack("MJPG"), "MJPG", "Motion JPEG"},
        {Pack("WMV3"), "WMV3", "Windows Media Video 9"},
        {Pack("YUY2"), "YUY2", "RAW YUV 4:2:2"},
        {Pack("H264"), "H264", "H.264/MPEG-4 AVC"},
        {Pack("avc1"), "avc1", "H.264/MPEG-4 AVC"},
        {Pack("FMP4"), "FMP4", "FFmpeg MPEG-4"},
        // Short codes: padded with blanks or with NULs, both are found.
        {Pack("Y8  "), "Y8  ", "RAW grey scale, 8 bits"},
        {0x3859, "Y8", "RAW grey scale, 8 bits"},
        {Pack("raw "), "raw ", "Uncompressed RGB"},
        {Pack("ZZZZ"), "ZZZZ", "Unknown Codec"},
        {Pack("XVI "), "XVI ", "Unknown Codec"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fourcc);
        const QString text = FourCCText(c.compression);
        EXPECT_EQ(text, QString::fromLatin1(c.fourcc));
        EXPECT_EQ(VideoCodecDescription(text), QString::fromLatin1(c.description));
    }
    EXPECT_EQ(VideoCodecDescription(""), "Unknown Codec");
    EXPECT_EQ(VideoCodecDescription(QStringLiteral("xvïd")), "Unknown Codec");
}

TEST(TVFVideoInfo, CodecsOfThisMachinesEncodersAreDescribed) {
    // What the MediaInfoLib adapter reports for the clips GStreamer's encoders make.
    const char* fourccs[] = {"H264", "HEVC", "MP4V", "DIVX", "FMP4", "MJPG", "THEO", "VP80",
                             "VP90", "AV01", "MPG1", "MPG2", "H263", "dvsd", "FLV1", "WVC1"};
    for (const char* fourcc : fourccs) {
        SCOPED_TRACE(fourcc);
        EXPECT_NE(VideoCodecDescription(QString::fromLatin1(fourcc)), "Unknown Codec");
    }
    const int tags[] = {0x0001, 0x0003, 0x0050, 0x0055, 0x00FF, 0x0057, 0x0058, 0x0160, 0x0161,
                        0x0162, 0x0163, 0x2000, 0x2001, 0x674F, 0xF1AC, 0x704F, 0xA109};
    for (int tag : tags) {
        SCOPED_TRACE(tag);
        EXPECT_NE(AudioCodecName(tag), "Unknown");
    }
}

TEST(TVFVideoInfo, AudioCodecNameByWaveFormatTag) {
    const struct {
        int tag;
        const char* name;
    } cases[] = {
        {0, "Microsoft Unknown Wave Format"},
        {1, "Microsoft PCM Format"},
        {2, "Microsoft ADPCM Format"},
        {85, "MPEG-1 Layer 3 (MP3)"},
        {255, "AAC"},
        {258, "IBM A-law"},
        {512, "Creative Labs ADPCM"},
        {0x2000, "Dolby AC-3"},
        {0xFFFF, "Development Wave Format"},
        {0x1234, "Unknown"},
        {-1, "Unknown"},
        {0x10000, "Unknown"},
        {0x10055, "Unknown"}, // not folded into 16 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(AudioCodecName(c.tag), QString::fromLatin1(c.name));
    }
}

TEST(TVFVideoInfo, FrameCountIsLengthTimesRateRounded) {
    const struct {
        double seconds;
        double rate;
        int frames;
    } cases[] = {
        {2, 30, 60},   {2.0166, 29.97002997, 60},
        {1.5, 25, 38}, {1.46, 25, 37},
        {0, 25, 0},    {2, 0, 0},
        {kNaN, 25, 0}, {2, kInf, 0},
        {-1, 25, 0},   {1e12, 1e6, std::numeric_limits<int>::max()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.seconds << " s at " << c.rate);
        EXPECT_EQ(FrameCount(c.seconds, c.rate), c.frames);
    }
}

TEST(TVFVideoInfo, AspectFraction) {
    const struct {
        double aspect;
        int numerator;
        int denominator;
    } cases[] = {
        {1.333, 4, 3}, {4.0 / 3, 4, 3}, {1.778, 16, 9}, {1.222, 11, 9}, {2.35, 47, 20},
        {1, 1, 1},     {0.5, 1, 2},     {0, 0, 0},      {-1.5, 0, 0},   {kNaN, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.aspect);
        const AspectFraction f = AspectFractionOf(c.aspect);
        EXPECT_EQ(f.numerator, c.numerator);
        EXPECT_EQ(f.denominator, c.denominator);
    }
}

// The component over scripted facts.
class TVFVideoInfoAnalyze : public testing::Test {
protected:
    void SetUp() override {
        MediaFacts avi;
        avi.ok = true;
        avi.video.append({.width = 320,
                          .height = 240,
                          .compression = Pack("XVID"),
                          .codecId = "XVID",
                          .frameRate = 29.97002997,
                          .lengthSeconds = 3723.45,
                          .bitRate = 800000,
                          .displayAspect = 1.333});
        avi.audio.append({.formatTag = 0x55,
                          .channels = 2,
                          .sampleRate = 44100,
                          .bitsPerSample = 0,
                          .bitRate = 128000,
                          .codecId = "55",
                          .additionalInfo = "MPEG Audio, Version 1, Layer 3",
                          .lengthSeconds = 3723.45});
        avi.audio.append({.formatTag = 0x1234,
                          .channels = 1,
                          .sampleRate = 22050,
                          .bitsPerSample = 8,
                          .lengthSeconds = 1.5});
        reader.facts["/films/movie.avi"] = avi;

        MediaFacts soundOnly;
        soundOnly.ok = true;
        soundOnly.audio.append({.formatTag = 0xFF, .channels = 6, .sampleRate = 48000});
        reader.facts["/films/Sound.Only.MKV"] = soundOnly;
    }

    test::FakeMediaInfoReader reader;
    TVFVideoInfo info{reader};
};

TEST_F(TVFVideoInfoAnalyze, FillsEveryValue) {
    info.FileName = "/films/movie.avi";
    EXPECT_TRUE(info.Analyze());
    EXPECT_EQ(reader.analyzed, QStringList{"/films/movie.avi"});
    EXPECT_EQ(info.FileFormat, "AVI");

    const TVFVideoStreamInfo& v = info.Video;
    EXPECT_EQ(v.CodecDescription, "XVID MPEG-4");
    EXPECT_EQ(v.FourCC, "XVID");
    EXPECT_EQ(v.DurationText, "01:02:03");
    EXPECT_EQ(v.DurationMs, "3723450");
    EXPECT_DOUBLE_EQ(v.FrameRate, 29.97002997);
    EXPECT_EQ(v.Width, 320);
    EXPECT_EQ(v.Height, 240);
    EXPECT_EQ(v.FrameCount, 111592); // 3723.45 × 29.97002997 = 111591.9…, rounded
    EXPECT_EQ(v.AspectRatio, "4:3");
    EXPECT_EQ(v.AspectNumerator, 4);
    EXPECT_EQ(v.AspectDenominator, 3);
    EXPECT_EQ(v.BitRate, 800000);

    ASSERT_EQ(info.AudioStreamCount(), 2);
    const TVFAudioStreamInfo& mp3 = info.AudioStream(0);
    EXPECT_EQ(mp3.CodecName, "MPEG-1 Layer 3 (MP3)");
    EXPECT_EQ(mp3.Channels, "2");
    EXPECT_EQ(mp3.SampleRate, "44100");
    EXPECT_EQ(mp3.BitsPerSample, "0");
    EXPECT_EQ(mp3.BitRate, "128000");
    EXPECT_EQ(mp3.AdditionalInfo, "MPEG Audio, Version 1, Layer 3");
    EXPECT_EQ(mp3.DurationText, "01:02:03");
    EXPECT_EQ(mp3.DurationMs, "3723450");
    const TVFAudioStreamInfo& unknown = info.AudioStream(1);
    EXPECT_EQ(unknown.CodecName, "Unknown");
    EXPECT_EQ(unknown.Channels, "1");
    EXPECT_EQ(unknown.BitsPerSample, "8");
    EXPECT_EQ(unknown.BitRate, "0");
    EXPECT_EQ(unknown.DurationText, "00:01");
    EXPECT_EQ(unknown.DurationMs, "1500");
    EXPECT_EQ(info.AudioStream(2).CodecName, "");
    EXPECT_EQ(info.AudioStream(-1).CodecName, "");
}

TEST_F(TVFVideoInfoAnalyze, EachAnalysisStartsAfresh) {
    info.FileName = "/films/movie.avi";
    ASSERT_TRUE(info.Analyze());

    // A file without video leaves nothing of the previous one's picture.
    info.FileName = "/films/Sound.Only.MKV";
    EXPECT_TRUE(info.Analyze());
    EXPECT_EQ(info.FileFormat, "Matroska");
    EXPECT_EQ(info.Video.CodecDescription, "");
    EXPECT_EQ(info.Video.FourCC, "");
    EXPECT_EQ(info.Video.DurationText, "");
    EXPECT_EQ(info.Video.DurationMs, "");
    EXPECT_EQ(info.Video.Width, 0);
    EXPECT_EQ(info.Video.Height, 0);
    EXPECT_EQ(info.Video.FrameCount, 0);
    EXPECT_EQ(info.Video.FrameRate, 0);
    EXPECT_EQ(info.Video.AspectRatio, "");
    ASSERT_EQ(info.AudioStreamCount(), 1);
    EXPECT_EQ(info.AudioStream(0).CodecName, "AAC");
    EXPECT_EQ(info.AudioStream(0).Channels, "6");
    EXPECT_EQ(info.AudioStream(0).DurationText, "00:00");

    // A file that cannot be read: the format still follows the name, nothing else is left.
    info.FileName = "/films/missing.mp4";
    EXPECT_FALSE(info.Analyze());
    EXPECT_EQ(info.FileFormat, "MPEG 4");
    EXPECT_EQ(info.Video.FourCC, "");
    EXPECT_EQ(info.Video.Width, 0);
    EXPECT_EQ(info.AudioStreamCount(), 0);

    // No name: nothing is asked of the reader.
    info.FileName.clear();
    EXPECT_FALSE(info.Analyze());
    EXPECT_EQ(info.FileFormat, "");
    EXPECT_EQ(reader.analyzed.size(), 3);
}

TEST_F(TVFVideoInfoAnalyze, NonsenseFactsBecomeZeros) {
    MediaFacts odd;
    odd.ok = true;
    odd.video.append({.width = -320,
                      .height = -1,
                      .compression = std::nullopt, // a codec without any FourCC
                      .codecId = "V_WEIRD",
                      .frameRate = kNaN,
                      .lengthSeconds = -4,
                      .bitRate = -9,
                      .displayAspect = kInf});
    odd.audio.append(
        {.formatTag = -3, .channels = -2, .sampleRate = -44100, .lengthSeconds = kNaN});
    reader.facts["/films/odd.webm"] = odd;

    info.FileName = "/films/odd.webm";
    EXPECT_TRUE(info.Analyze());
    EXPECT_EQ(info.FileFormat, "");
    EXPECT_EQ(info.Video.FourCC, "");
    EXPECT_EQ(info.Video.CodecDescription, "Unknown Codec");
    EXPECT_EQ(info.Video.Width, 0);
    EXPECT_EQ(info.Video.Height, 0);
    EXPECT_EQ(info.Video.FrameRate, 0);
    EXPECT_EQ(info.Video.FrameCount, 0);
    EXPECT_EQ(info.Video.DurationText, "00:00");
    EXPECT_EQ(info.Video.DurationMs, "0");
    EXPECT_EQ(info.Video.BitRate, 0);
    EXPECT_EQ(info.Video.Aspect, 0);
    EXPECT_EQ(info.Video.AspectRatio, "");
    ASSERT_EQ(info.AudioStreamCount(), 1);
    EXPECT_EQ(info.AudioStream(0).CodecName, "Unknown");
    EXPECT_EQ(info.AudioStream(0).Channels, "0");
    EXPECT_EQ(info.AudioStream(0).SampleRate, "0");
    EXPECT_EQ(info.AudioStream(0).DurationMs, "0");
}

TEST(TVFVideoInfo, AReaderThatThrowsIsSwallowed) {
    class ThrowingReader : public MediaInfoReader {
    public:
        MediaFacts Analyze(const QString&) override { throw std::runtime_error("broken"); }
    } reader;
    TVFVideoInfo info{reader};
    info.FileName = "/films/movie.mkv";
    EXPECT_FALSE(info.Analyze());
    EXPECT_EQ(info.FileFormat, "Matroska");
    EXPECT_EQ(info.Video.Width, 0);
    EXPECT_EQ(info.AudioStreamCount(), 0);
}

} // namespace
} // namespace ov
