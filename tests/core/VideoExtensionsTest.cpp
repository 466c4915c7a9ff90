#include "core/system/sys_FilesOps.h"

#include <gtest/gtest.h>

namespace ov {
namespace {

TEST(VideoExtensions, IsVideoFileByExtension) {
    const struct {
        const char* extension;
        bool video;
    } cases[] = {
        {".avi", true},   {"avi", true},   {".Mp4", true},   {"MPV2", true},    {".IFO", true},
        {"ivf", true},    {".mp3", false}, {"", false},      {".av", false},    {".", false},
        {"..avi", false}, {"avi.", false}, {".AVI ", false}, {".mpv22", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        EXPECT_EQ(IsVideoFile(QString::fromLatin1(c.extension)), c.video);
    }
}

TEST(VideoExtensions, ExtensionOfFileName) {
    const struct {
        const char* fileName;
        const char* extension;
        bool video;
    } cases[] = {
        {"movie.avi.txt", ".txt", false},
        {"MOVIE.AVI", ".AVI", true},
        {"/home/me/clips/Holiday.Mkv", ".Mkv", true},
        {"/a.b/file", "", false},
        {"/films.avi/readme", "", false},
        {"noext", "", false},
        {"", "", false},
        {"name.", ".", false},
        {"/x/.vob", ".vob", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        const QString extension = ExtractFileExt(QString::fromLatin1(c.fileName));
        EXPECT_EQ(extension, QString::fromLatin1(c.extension));
        EXPECT_EQ(IsVideoFile(extension), c.video);
    }
}

TEST(VideoExtensions, DescriptionByRegistryForm) {
    const struct {
        const char* extension;
        const char* description;
    } cases[] = {
        {"MOV", "Quick Time Movie"},
        {"mov", "Quick Time Movie"},
        {"drc", "DIrav Video File"},
        {"Mpeg", "Motion Picture Exteprs Group"},
        {"mp3", ""},
        {".mov", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        EXPECT_EQ(videoExtDescription(QString::fromLatin1(c.extension)),
                  QString::fromLatin1(c.description));
    }
}

TEST(VideoExtensions, TableOrderAndForms) {
    ASSERT_EQ(videoExtensions.size(), 26u);
    EXPECT_EQ(videoExtensions.front().display, ".IVF");
    EXPECT_EQ(videoExtensions[2].display, ".AVI");
    EXPECT_EQ(videoExtensions[13].display, ".MKV");
    EXPECT_EQ(videoExtensions.back().display, ".IFO");
    for (const VideoExtension& entry : videoExtensions) {
        const QString display = QString::fromLatin1(entry.display.data(), entry.display.size());
        const QString registry = QString::fromLatin1(entry.registry.data(), entry.registry.size());
        SCOPED_TRACE(display.toStdString());
        // The registry form is the display form without its dot, in lower case.
        EXPECT_EQ(QLatin1Char('.') + registry.toUpper(), display);
        EXPECT_EQ(registry, registry.toLower());
        EXPECT_FALSE(entry.description.empty());
    }
}

} // namespace
} // namespace ov
