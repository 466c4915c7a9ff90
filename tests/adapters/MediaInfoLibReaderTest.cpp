#include "adapters/mediainfo/MediaInfoLibReader.h"
#include "core/mediainfo/TVFVideoInfo.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>
#include <locale.h>
#include <string>

namespace ov {
namespace {

using mediainfolib::PackFourCC;
using mediainfolib::StreamCoding;

TEST(MediaInfoLibReader, GeneratedClips) {
    const struct {
        const char* name;
        const char* fourcc;
        const char* codecId;
        const char* description;
        int formatTag;
        const char* audioCodec;
        int sampleRate;
    } cases[] = {
        // avimux labels avenc_mpeg4's stream DIVX; lamemp3enc resamples 96 kbit/s to 32 kHz.
        {"clip-2s.avi", "DIVX", "DIVX", "DivX", 0x55, "MPEG-1 Layer 3 (MP3)", 32000},
        {"clip-2s.mp4", "H264", "avc1", "H.264/MPEG-4 AVC", 0xFF, "AAC", 44100},
        {"clip-2s.mkv", "H264", "V_MPEG4/ISO/AVC", "H.264/MPEG-4 AVC", 0x674F,
         "Ogg Vorbis (mode 1)", 44100},
    };
    MediaInfoLibReader reader;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = test::Fixture(c.name);
        if (path.isEmpty()) GTEST_SKIP() << "no generated clip " << c.name;

        const MediaFacts facts = reader.Analyze(path);
        ASSERT_TRUE(facts.ok);
        ASSERT_EQ(facts.video.size(), 1);
        const VideoStreamFacts& v = facts.video.first();
        EXPECT_EQ(v.width, 320);
        EXPECT_EQ(v.height, 240);
        ASSERT_TRUE(v.compression.has_value());
        EXPECT_EQ(FourCCText(*v.compression), c.fourcc);
        EXPECT_EQ(v.codecId, c.codecId);
        EXPECT_DOUBLE_EQ(v.frameRate, 30);
        EXPECT_NEAR(v.lengthSeconds, 2, 0.1);
        EXPECT_NEAR(v.displayAspect, 4.0 / 3, 0.01);
        ASSERT_EQ(facts.audio.size(), 1);
        const AudioStreamFacts& a = facts.audio.first();
        EXPECT_EQ(a.formatTag, c.formatTag);
        EXPECT_EQ(a.channels, 2);
        EXPECT_EQ(a.sampleRate, c.sampleRate);
        EXPECT_NEAR(a.lengthSeconds, 2, 0.1);

        // What the file information dialog will show of it.
        TVFVideoInfo info{reader};
        info.FileName = path;
        ASSERT_TRUE(info.Analyze());
        EXPECT_EQ(info.Video.CodecDescription, c.description);
        EXPECT_EQ(info.Video.FrameCount, 60);
        EXPECT_EQ(info.Video.DurationText, "00:02");
        EXPECT_EQ(info.Video.AspectRatio, "4:3");
        ASSERT_EQ(info.AudioStreamCount(), 1);
        EXPECT_EQ(info.AudioStream(0).CodecName, c.audioCodec);
        EXPECT_EQ(info.AudioStream(0).Channels, "2");
    }
}

TEST(MediaInfoLibReader, WhatCannotBeReadIsNotOk) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const struct {
        const char* what;
        QString path;
    } cases[] = {
        {"missing file", dir.filePath("missing.avi")},
        {"no path", QString()},
        {"a folder", dir.path()},
        {"a device", QStringLiteral("/dev/zero")},
        {"empty file", write("empty.mp4", {})},
        {"text named .avi", write("notes.avi", "nothing but words\n")},
    };
    MediaInfoLibReader reader;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const MediaFacts facts = reader.Analyze(c.path);
        EXPECT_FALSE(facts.ok);
        EXPECT_TRUE(facts.video.isEmpty());
        EXPECT_TRUE(facts.audio.isEmpty());
    }
    // The head of an MP4 without its index: read, but no stream can be told of.
    if (const QString truncated = test::Fixture("truncated.mp4"); !truncated.isEmpty()) {
        EXPECT_TRUE(reader.Analyze(truncated).video.isEmpty());
    }
}

TEST(MediaInfoLibReader, NonAsciiNameInTheCLocale) {
    const QString clip = test::Fixture("clip-2s.mp4");
    if (clip.isEmpty()) GTEST_SKIP() << "no generated clip";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Фильм é.mp4"));
    ASSERT_TRUE(QFile::copy(clip, path));

    const std::string before = std::setlocale(LC_CTYPE, nullptr);
    std::setlocale(LC_CTYPE, "C");
    const MediaFacts facts = MediaInfoLibReader().Analyze(path);
    EXPECT_EQ(uselocale(locale_t(nullptr)), LC_GLOBAL_LOCALE); // the thread's locale is back
    std::setlocale(LC_CTYPE, before.c_str());

    EXPECT_TRUE(facts.ok);
    ASSERT_EQ(facts.video.size(), 1);
    EXPECT_EQ(facts.video.first().width, 320);
}

TEST(MediaInfoLibReader, PackFourCC) {
    EXPECT_EQ(PackFourCC("XVID"), 0x44495658u);
    EXPECT_EQ(PackFourCC("avc1"), 0x31637661u);
    EXPECT_EQ(FourCCText(PackFourCC("Y8")), "Y8  ");
    EXPECT_EQ(FourCCText(PackFourCC("H2645")), "H264");
}

TEST(MediaInfoLibReader, VideoCompressionByContainerAndFormat) {
    const struct {
        StreamCoding coding;
        const char* fourcc; // null: no FourCC
    } cases[] = {
        // AVI gives the bitmap header's value itself.
        {{"AVI", "XVID", "MPEG-4 Visual"}, "XVID"},
        {{"AVI", "FMP4", "MPEG-4 Visual"}, "FMP4"},
        {{"AVI", "H264", "AVC"}, "H264"},
        {{"AVI", "0x00000000", "RGB"}, "RGB"},
        {{"AVI", "0x00000001", "RGB"}, "RLE8"},
        {{"AVI", "Y8", "YUV"}, "Y8  "},
        {{"AVI", "0xZZ", "AVC"}, "H264"}, // a number that is none: the format decides
        {{"AVI", "", "AVC"}, "H264"},
        // Elsewhere the format decides, as a Windows decoder would be offered it.
        {{"MPEG-4", "avc1", "AVC"}, "H264"},
        {{"Matroska", "V_MPEG4/ISO/AVC", "AVC"}, "H264"},
        {{"Matroska", "V_MPEGH/ISO/HEVC", "HEVC"}, "HEVC"},
        {{"Matroska", "V_MPEG4/ISO/ASP", "MPEG-4 Visual"}, "MP4V"},
        {{"Matroska", "V_MS/VFW/FOURCC / DX50", "MPEG-4 Visual"}, "DX50"},
        {{"Matroska", "V_MPEG2", "MPEG Video", "Version 2"}, "MPG2"},
        {{"MPEG-PS", "", "MPEG Video", "Version 1"}, "MPG1"},
        {{"Matroska", "V_MS/VFW/FOURCC / WVC1", "VC-1", "", "Advanced@L3"}, "WVC1"},
        {{"Windows Media", "WMV3", "VC-1", "", "Main"}, "WMV3"},
        {{"Ogg", "", "Theora"}, "THEO"},
        {{"WebM", "V_VP9", "VP9"}, "VP90"},
        {{"Matroska", "V_AV1", "AV1"}, "AV01"},
        {{"MPEG-4", "jpeg", "JPEG"}, "MJPG"},
        {{"MPEG-4", "SVQ3", "Sorenson 3"}, "SVQ3"}, // a sample entry is a FourCC already
        {{"Matroska", "V_WEIRD", "Weird"}, nullptr},
        {{"Matroska", "", ""}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.coding.container + " " + c.coding.codecId));
        const auto compression = mediainfolib::VideoCompression(c.coding);
        if (!c.fourcc) {
            EXPECT_FALSE(compression.has_value());
            continue;
        }
        ASSERT_TRUE(compression.has_value());
        EXPECT_EQ(FourCCText(*compression), c.fourcc);
    }
}

TEST(MediaInfoLibReader, WaveFormatTagByContainerAndFormat) {
    const struct {
        StreamCoding coding;
        int tag;
    } cases[] = {
        // AVI, WAV and ASF give the tag in hexadecimal.
        {{"AVI", "55", "MPEG Audio", "Version 1", "Layer 3"}, 0x55},
        {{"AVI", "1", "PCM"}, 0x0001},
        {{"AVI", "FF-2", "AAC"}, 0x00FF},
        {{"AVI", "2000", "AC-3"}, 0x2000},
        {{"AVI", "00000001-0000-0010-8000-00AA00389B71", "PCM"}, 0x0001},
        {{"AVI", "123456789", "AAC"}, 0x00FF}, // no tag: the format decides
        {{"AVI", "10000", "AAC"}, 0x00FF},
        {{"Wave", "3", "PCM", "", "Float"}, 0x0003},
        {{"Windows Media", "161", "WMA", "Version 2"}, 0x0161},
        {{"Matroska", "A_MS/ACM / 162", "WMA"}, 0x0162},
        // Elsewhere the format decides.
        {{"MPEG-4", "mp4a-40-2", "AAC"}, 0x00FF},
        {{"Matroska", "A_AAC-2", "AAC"}, 0x00FF},
        {{"Matroska", "A_MPEG/L3", "MPEG Audio", "Version 1", "Layer 3"}, 0x0055},
        {{"MPEG-4", "mp4a-6B", "MPEG Audio", "Version 1", "Layer 2"}, 0x0050},
        {{"MPEG-4", "ac-3", "AC-3"}, 0x2000},
        {{"Matroska", "A_DTS", "DTS"}, 0x2001},
        {{"Matroska", "A_VORBIS", "Vorbis"}, 0x674F},
        {{"Ogg", "", "Vorbis"}, 0x674F},
        {{"Matroska", "A_FLAC", "FLAC"}, 0xF1AC},
        {{"WebM", "A_OPUS", "Opus"}, 0x704F},
        {{"Matroska", "A_PCM/INT/LIT", "PCM", "", "", "Signed"}, 0x0001},
        {{"Matroska", "A_PCM/FLOAT/IEEE", "PCM"}, 0x0003},
        {{"MPEG-4", "sowt", "PCM"}, 0x0001},
        {{"MPEG-4", "fl32", "PCM"}, 0x0003},
        {{"Matroska", "A_WMA", "WMA", "", "Pro"}, 0x0162},
        {{"Matroska", "A_WMA", "WMA", "Version 1"}, 0x0160},
        {{"Matroska", "A_EAC3", "E-AC-3"}, 0},
        {{"Matroska", "", ""}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.coding.container + " " + c.coding.codecId));
        EXPECT_EQ(mediainfolib::WaveFormatTag(c.coding), c.tag);
    }
}

} // namespace
} // namespace ov
