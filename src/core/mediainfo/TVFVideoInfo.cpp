#include "core/mediainfo/TVFVideoInfo.h"

#include "core/mediainfo/CodecTables.h"
#include "core/system/sys_FilesOps.h"

#include <QByteArray>
#include <cmath>
#include <limits>
#include <string_view>

namespace ov {

namespace {

struct ExtensionFormat {
    std::string_view extension;
    std::string_view format;
};

constexpr ExtensionFormat kFileFormats[] = {
    {"AVI", "AVI"},
    {"MPG", "MPEG 1/2"},
    {"MPEG", "MPEG 1/2"},
    {"VOB", "DVD VOB"},
    {"MP4", "MPEG 4"},
    {"WMV", "Windows Media Video"},
    {"ASF", "Windows Media Video (ASF)"},
    {"MOV", "QuickTime MOV"},
    {"3GP", "QuickTime 3GP"},
    {"3G2", "QuickTime 3GP2"},
    {"OGM", "OGG Media"},
    {"MKV", "Matroska"},
    {"RM", "RealMedia"},
};

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Lengths and rates come from files: anything negative, infinite or NaN counts as nothing.
double Sane(double value) {
    return std::isfinite(value) && value > 0 ? value : 0;
}

// Far beyond any real movie, and small enough that every conversion below stays exact.
constexpr double kMaxSeconds = 1e12;

double SaneSeconds(double seconds) {
    return std::min(Sane(seconds), kMaxSeconds);
}

QString Number(int value) {
    return QString::number(value);
}

} // namespace

QString FileFormatForExtension(const QString& extension) {
    const QString key = QString(extension).remove(QLatin1Char('.')).toUpper();
    for (const ExtensionFormat& row : kFileFormats) {
        if (key == Latin1(row.extension)) return Latin1(row.format);
    }
    return {};
}

QString DurationText(double seconds) {
    const auto whole = static_cast<long long>(SaneSeconds(seconds)); // truncated
    const long long secs = whole % 60;
    if (whole < 3600) {
        return QString::asprintf("%02lld:%02lld", whole / 60, secs);
    }
    return QString::asprintf("%02lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, secs);
}

QString DurationMsText(double seconds) {
    return QString::number(std::llround(SaneSeconds(seconds) * 1000));
}

QString FourCCText(std::uint32_t compression) {
    switch (compression) {
    case 0:
        return QStringLiteral("RGB");
    case 1:
        return QStringLiteral("RLE8");
    case 2:
        return QStringLiteral("RLE4");
    case 3:
        return QStringLiteral("BITFIELDS");
    default:
        break;
    }
    QString text;
    for (int shift = 0; shift < 32; shift += 8) {
        const auto byte = static_cast<unsigned char>((compression >> shift) & 0xFF);
        // Short codes are padded with NULs, which have no place in a text.
        if (byte != 0) text += QChar(byte);
    }
    return text;
}

QString VideoCodecDescription(const QString& fourccText) {
    QString key = fourccText.toLower();
    while (key.endsWith(QLatin1Char(' ')))
        key.chop(1);
    const QByteArray latin1 = key.toLatin1();
    // A character outside Latin-1 became "?", which no key contains.
    const FourCCCodec* row =
        key.isEmpty() ? nullptr
                      : FindFourCCCodec(std::string_view(latin1.constData(),
                                                         static_cast<std::size_t>(latin1.size())));
    return row ? Latin1(row->description) : QStringLiteral("Unknown Codec");
}

QString AudioCodecName(int formatTag) {
    const WaveFormatCodec* row = FindWaveFormatCodec(formatTag);
    return row ? Latin1(row->name) : QStringLiteral("Unknown");
}

int FrameCount(double lengthSeconds, double frameRate) {
    const double frames = std::round(Sane(lengthSeconds) * Sane(frameRate));
    if (!std::isfinite(frames)) return 0;
    return frames >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                     : static_cast<int>(frames);
}

AspectFraction AspectFractionOf(double aspect) {
    if (!(Sane(aspect) > 0) || aspect > 1000 || aspect < 0.001) return {};
    // Continued fraction convergents until one lies within 0.1 % of the value.
    long long p0 = 0, q0 = 1, p1 = 1, q1 = 0;
    double rest = aspect;
    for (int step = 0; step < 16; ++step) {
        const double whole = std::floor(rest);
        const long long a = static_cast<long long>(whole);
        const long long p2 = a * p1 + p0, q2 = a * q1 + q0;
        if (q2 > 10000 || p2 > 10000) break;
        p0 = p1, q0 = q1, p1 = p2, q1 = q2;
        if (std::abs(static_cast<double>(p1) / static_cast<double>(q1) - aspect) <= aspect * 0.001)
            break;
        const double fraction = rest - whole;
        if (fraction < 1e-9) break;
        rest = 1 / fraction;
    }
    if (p1 <= 0 || q1 <= 0) return {};
    return {static_cast<int>(p1), static_cast<int>(q1)};
}

const TVFAudioStreamInfo& TVFVideoInfo::AudioStream(int index) const {
    static const TVFAudioStreamInfo none;
    return index >= 0 && index < AudioStreams.size() ? AudioStreams[index] : none;
}

void TVFVideoInfo::Clear() {
    FileFormat.clear();
    Video = {};
    AudioStreams.clear();
}

bool TVFVideoInfo::Analyze() noexcept {
    try {
        Clear();
        FileFormat = FileFormatForExtension(ExtractFileExt(FileName));
        if (FileName.isEmpty()) return false;
        const MediaFacts facts = reader_.Analyze(FileName);
        if (!facts.ok) return false;
        Fill(facts);
        return true;
    } catch (...) {
        // Whatever went wrong, the results must not be half filled.
        Video = {};
        AudioStreams.clear();
        return false;
    }
}

void TVFVideoInfo::Fill(const MediaFacts& facts) {
    if (!facts.video.isEmpty()) {
        const VideoStreamFacts& v = facts.video.first();
        TVFVideoStreamInfo info;
        info.Width = std::max(v.width, 0);
        info.Height = std::max(v.height, 0);
        info.FourCC = v.compression ? FourCCText(*v.compression) : QString();
        info.CodecDescription = VideoCodecDescription(info.FourCC);
        info.FrameRate = Sane(v.frameRate);
        info.DurationText = DurationText(v.lengthSeconds);
        info.DurationMs = DurationMsText(v.lengthSeconds);
        info.FrameCount = FrameCount(v.lengthSeconds, v.frameRate);
        info.BitRate = std::max(v.bitRate, 0);
        info.Aspect = Sane(v.displayAspect);
        if (info.Aspect == 0 && info.Width > 0 && info.Height > 0)
            info.Aspect = static_cast<double>(info.Width) / info.Height;
        const AspectFraction fraction = AspectFractionOf(info.Aspect);
        info.AspectNumerator = fraction.numerator;
        info.AspectDenominator = fraction.denominator;
        if (fraction.denominator > 0)
            info.AspectRatio =
                QStringLiteral("%1:%2").arg(fraction.numerator).arg(fraction.denominator);
        Video = info;
    }
    for (const AudioStreamFacts& a : facts.audio) {
        TVFAudioStreamInfo info;
        info.BitRate = Number(std::max(a.bitRate, 0));
        info.Channels = Number(std::max(a.channels, 0));
        info.SampleRate = Number(std::max(a.sampleRate, 0));
        info.BitsPerSample = Number(std::max(a.bitsPerSample, 0));
        info.CodecName = AudioCodecName(a.formatTag);
        info.AdditionalInfo = a.additionalInfo;
        info.DurationText = DurationText(a.lengthSeconds);
        info.DurationMs = DurationMsText(a.lengthSeconds);
        AudioStreams.append(info);
    }
}

} // namespace ov
