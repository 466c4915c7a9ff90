#include "core/actions/sys_HotkeyUtils.h"
#include "core/config/ConfigSchema.h"
#include "core/config/cl_ConfigFile.h"
#include "core/config/ovConfig.h"
#include "core/system/AtomicFile.h"
#include "core/system/cl_debugLog.h"
#include "core/system/sys_FilesOps.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeShell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ov;

namespace {

// A program folder of its own, with the shell and dialogs OV.xml's procedures talk to.
struct ConfigDir {
    QTemporaryDir dir;
    test::FakeShell shell;
    test::FakeDialogs dialogs;
    ConfigFileContext context{dir.path() + "/", shell, dialogs};

    QString Path() const { return context.Path(); }
    void Write(const QByteArray& content) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    void WriteGeneral(const QByteArray& elements) const {
        Write("<OV.Configuration><general>" + elements + "</general></OV.Configuration>");
    }
    QByteArray Read() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::unique_ptr<zvOVConfigInfo> Load() { return LoadConfiguration(context); }
    // The saved value of one attribute, or "(none)".
    QString Saved(const QString& path, const QString& attribute) const {
        ovConfig file(Path(), kConfigRoot);
        return file.ReadString(path, attribute, "(none)");
    }
};

QString Text(std::string_view view) {
    return QString::fromLatin1(view.data(), view.size());
}

QString Normalised(QByteArray bytes) {
    return QString::fromUtf8(bytes.replace("\r\n", "\n"));
}

} // namespace

TEST(ConfigFile, FirstRunWritesTheExpectedFileAndReadsItBack) {
    ConfigDir c;
    QList<int> marks;
    c.context.syncFileTypes = [&](ovConfig& file) {
        for (const VideoExtension& e : videoExtensions)
            marks << file.ReadBool("filetypes/video", Text(e.display.substr(1)), true);
    };
    const auto config = c.Load();

    const QByteArray written = c.Read();
    EXPECT_EQ(written.count("\r\n"), written.count('\n')) << "every line ends with CR LF";
    QFile expectedFile(QString(ORVANE_SOURCE_DIR) + "/tests/core/data/first-run-OV.xml");
    ASSERT_TRUE(expectedFile.open(QIODevice::ReadOnly));
    const QString expected =
        Normalised(expectedFile.readAll()).replace("@PROGRAM_FOLDER@", c.context.folder);
    EXPECT_EQ(Normalised(written), expected);

    EXPECT_EQ(marks, QList<int>(26, 0)) << "associations are synced from the new file, all off";
    for (const ConfigField& field : kConfigFields) {
        if (field.width == FieldWidth::Text || field.reader.kind == ConfigDefault::Kind::None)
            continue;
        // mRBtn is not in the file, so its reader default applies.
        const std::int64_t want = field.firstRun.kind == ConfigDefault::Kind::Number
                                      ? field.firstRun.number
                                      : field.reader.number;
        EXPECT_EQ(LoadNumber(*config, field), want) << field.name;
    }
    EXPECT_EQ(config->mRBtn, 2);
    EXPECT_EQ(config->scrFolder, c.shell.pictures);
    EXPECT_EQ(config->installedDir, c.context.folder);
    EXPECT_EQ(config->latestMovie, "");
    EXPECT_EQ(config->vSkngMs, 5000);
    EXPECT_FALSE(config->hasWindowBounds);

    TKeys keys;
    EXPECT_TRUE(LoadHotkeys(keys, c.context));
    ASSERT_EQ(keys.Count, 25);
    for (std::size_t i = 0; i < kDefaultHotkeys.size(); ++i) {
        EXPECT_EQ(keys.Items[i].Action, ActionHandler(kDefaultHotkeys[i].action)) << i;
        EXPECT_EQ(keys.Items[i].Key, kDefaultHotkeys[i].key) << i;
        EXPECT_EQ(keys.Items[i].Shift, FlagsToModifiers(kDefaultHotkeys[i].shift)) << i;
    }

    c.Load();
    EXPECT_EQ(c.Read(), written) << "an existing file is only read";
    EXPECT_TRUE(c.dialogs.messages.isEmpty());
}

TEST(ConfigFile, WhatCannotBeReadTakesTheReaderDefault) {
    struct Case {
        const char* general;
        const char* field;
        std::int64_t value;
    } cases[] = {
        {"", "vSkng", 5},
        {R"(<vSkng how_much=""/>)", "vSkng", 5},
        {R"(<vSkng how_much="abc"/>)", "vSkng", 5},
        {R"(<vSkng how_much="7x"/>)", "vSkng", 5},
        {R"(<VSKNG how_much="9"/>)", "vSkng", 5},
        {R"(<vSkng How_much="9"/>)", "vSkng", 5},
        {R"(<vSkng how_much="9"/>)", "vSkng", 9},
        {R"(<vSkng how_much="-1"/>)", "vSkng", 65535},
        {R"(<msHideSecs count="300"/>)", "msHideSecs", 44},
        {R"(<ovSeekToLastStop offon="0"/>)", "ovSeekToLastStop", 0},
        {R"(<ovSeekToLastStop offon="2"/>)", "ovSeekToLastStop", 2},
        {R"(<ovSeekToLastStop offon="256"/>)", "ovSeekToLastStop", 0},
        {R"(<ovSeekToLastStop offon="yes"/>)", "ovSeekToLastStop", 1},
        {R"(<olTextColor colorId="-1"/>)", "olTextColor", -1},
        {R"(<olTextColor colorId="99999999999"/>)", "olTextColor", 11},
        {R"(<mRBtn action="1"/><mRBtn action="0"/>)", "mRBtn", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.general);
        ConfigDir d;
        d.WriteGeneral(c.general);
        const auto config = d.Load();
        EXPECT_EQ(LoadNumber(*config, *FindConfigField(c.field)), c.value);
        EXPECT_EQ(config->scrFolder, d.shell.pictures);
        EXPECT_EQ(config->installedDir, d.context.folder);
    }
}

TEST(ConfigFile, UnknownPicturesFolderStillReadsTheRest) {
    ConfigDir c;
    c.shell.pictures.clear();
    c.WriteGeneral(R"(<olTextSize size="3"/><wasClosedInFullScreen yesornot="1"/>)");
    const auto config = c.Load();
    EXPECT_EQ(config->scrFolder, "");
    EXPECT_EQ(config->olTextSize, 3);
    EXPECT_EQ(config->wasClosedInFullScreen, 1);
}

TEST(ConfigFile, UnreadableFileIsKeptAndNeverLost) {
    const QByteArray cases[] = {
        "this is not XML",
        "",
        "<OV.Configuration><general><vSkng how_much='9'/>",
        "<Other><general><vSkng how_much='9'/></general></Other>",
    };
    for (const QByteArray& content : cases) {
        SCOPED_TRACE(content.toStdString());
        ConfigDir c;
        int syncs = 0;
        c.context.syncFileTypes = [&](ovConfig&) { ++syncs; };
        c.Write(content);
        const auto config = c.Load();
        EXPECT_EQ(config->vSkng, 5);
        EXPECT_EQ(config->ovSeekToLastStop, 1) << "reader default, not the first-run value";
        EXPECT_EQ(syncs, 0) << "associations are not touched";
        EXPECT_EQ(c.Read(), content) << "loading leaves it as it is";

        AutosaveState state;
        state.playlistWidth = 222;
        SaveAutosave(c.context, *config, state);
        QFile kept(c.Path() + ".damaged");
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), content);
        EXPECT_EQ(c.Load()->asPlaylistWidth, 222);
        TKeys keys;
        EXPECT_TRUE(LoadHotkeys(keys, c.context)) << "the new file is complete";
        EXPECT_EQ(keys.Count, 25);
        EXPECT_TRUE(c.dialogs.messages.isEmpty());
    }
}

TEST(ConfigFile, AFileDamagedBeforeItsKeysLeavesTheDefaultKeys) {
    ConfigDir c;
    c.Write("<OV.Configuration><general><ovCWZUM offon=\"x\"/></gen");
    c.Load();
    TKeys keys;
    EXPECT_FALSE(LoadHotkeys(keys, c.context));
    EXPECT_EQ(keys.Count, 25) << "Esc still closes the player";
}

TEST(ConfigFile, WindowBounds) {
    struct Case {
        const char* autosave;
        bool has;
        Bounds bounds; // left, top, width, height
    } cases[] = {
        {R"(<RmbWndState offon="1"/><WindowState width="800" height="600" posX="-10" posY="20"/>)",
         true,
         {-10, 20, 800, 600}},
        {R"(<RmbWndState offon="1"/><WindowState width="40000" height="600" posX="0" posY="0"/>)",
         true,
         {0, 0, 40000 - 65536, 600}},
        {R"(<RmbWndState offon="1"/><WindowState width="800" height="600" posX="10"/>)", false, {}},
        {R"(<RmbWndState offon="1"/><WindowState width="800" height="600" posX="a" posY="1"/>)",
         false,
         {}},
        {R"(<RmbWndState offon="1"/>)", false, {}},
        {R"(<RmbWndState offon="0"/><WindowState width="800" height="600" posX="1" posY="1"/>)",
         false,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.autosave);
        ConfigDir d;
        d.Write(QByteArray("<OV.Configuration><autosave>") + c.autosave +
                "</autosave></OV.Configuration>");
        const auto config = d.Load();
        EXPECT_EQ(config->hasWindowBounds, c.has);
        if (c.has) {
            EXPECT_EQ(
                (Bounds{config->wndPosX, config->wndPosY, config->wndWidth, config->wndHeight}),
                c.bounds);
        }
    }
}

TEST(ConfigFile, OlderEightBitFilesAreReadAndRewrittenAsUtf8) {
    ConfigDir c;
    c.Write("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<OV.Configuration>\n"
            "<general><ovRmbLastMovie offon=\"1\"/></general>\n"
            "<autosave><latest_movie name=\"/Vid\xe9os/\x80.avi\"/></autosave>\n"
            "</OV.Configuration>\n");
    const auto config = c.Load();
    EXPECT_EQ(config->latestMovie, QString::fromUtf8("/Vidéos/€.avi"));
    SaveAutosave(c.context, *config, {});
    const QByteArray saved = c.Read();
    EXPECT_TRUE(saved.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    EXPECT_TRUE(saved.contains("/Vidéos/€.avi"));
    EXPECT_EQ(c.Load()->latestMovie, QString::fromUtf8("/Vidéos/€.avi"));
}

TEST(ConfigFile, UnwritableFolderIsReportedOnceAndDefaultsApply) {
    for (const bool folderIsAFile : {true, false}) {
        SCOPED_TRACE(folderIsAFile ? "a file where the folder should be" : "a folder named OV.xml");
        QTemporaryDir dir;
        test::FakeShell shell;
        test::FakeDialogs dialogs;
        QString folder = dir.path() + "/";
        if (folderIsAFile) {
            QFile blocker(dir.filePath("blocker"));
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
            folder = dir.filePath("blocker") + "/";
        } else {
            ASSERT_TRUE(QDir(dir.path()).mkdir("OV.xml"));
        }
        int syncs = 0;
        ConfigFileContext context{folder, shell, dialogs, [&](ovConfig&) { ++syncs; }};
        const auto config = LoadConfiguration(context);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].text.contains(context.Path()));
        EXPECT_EQ(config->ovSeekToLastStop, 0) << "the first-run values, as if written";
        EXPECT_EQ(config->ovRmbLastMovie, 1);
        EXPECT_EQ(config->mRBtn, 2);
        EXPECT_EQ(syncs, 1);
        TKeys keys;
        LoadHotkeys(keys, context);
        EXPECT_EQ(keys.Count, 25) << "the default keys work all the same";

        SaveAutosave(context, *config, {});
        PreferencesValues values;
        values.vSkng = values.vSkngStep = values.msHideSecs = "1";
        SavePreferences(context, keys, values);
        EXPECT_EQ(dialogs.messages.size(), 1) << "said once";
    }
}

namespace {

PreferencesValues DialogValues(const QString& seekBox) {
    PreferencesValues v;
    v.keys = {{"Application: Close", 81, {}}, {"Seek: Seek forward", 39, {.ctrl = true}}};
    v.ovCWZUM = false;
    v.ovFullScreenWhenPlayStarted = true;
    v.msHideSecs = "7";
    v.pBackground_color = 0xFFFFFF;
    v.mLBtn = 2;
    v.mLDblBtn = -1;
    v.mRBtn = 1;
    v.vSkng = seekBox;
    v.vSkngStep = "40";
    v.dvdAutorun = true;
    v.scrFolder = "/shots";
    v.olTextSize = 3;
    v.fileTypes = {{".AVI", true}, {".MKV", false}};
    v.ovLang = 2;
    v.RmbPlaylist = true;
    v.RmbWndState = true;
    return v;
}

} // namespace

TEST(ConfigFile, ApplyChangesWritesTheDialogAndReloads) {
    ConfigDir c;
    c.Load();
    TKeys keys;
    RecordingLogSink log;
    SetLogSink(&log);
    const auto config = SavePreferences(c.context, keys, DialogValues("3"));
    SetLogSink(nullptr);

    EXPECT_EQ(keys.Count, 2);
    TKeys stored;
    LoadHotkeys(stored, c.context);
    ASSERT_EQ(stored.Count, 2);
    EXPECT_EQ(stored.Items[0].Action, ActionFromString("ui_ExitApp"));
    EXPECT_EQ(stored.Items[0].Key, 81);
    EXPECT_EQ(stored.Items[1].Shift, TShiftState{.ctrl = true});

    EXPECT_EQ(config->ovCWZUM, 0);
    EXPECT_EQ(config->ovFullScreenWhenPlayStarted, 1);
    EXPECT_EQ(config->msHideSecs, 7);
    EXPECT_EQ(config->pBackground_color, 0xFFFFFF);
    EXPECT_EQ(config->mLBtn, 2);
    EXPECT_EQ(c.Saved("general/mLDblBtn", "action"), "-1") << "no choice in the group";
    EXPECT_EQ(config->mLDblBtn, 65535);
    EXPECT_EQ(config->mRBtn, 1);
    EXPECT_EQ(config->vSkng, 3);
    EXPECT_EQ(config->vSkngMs, 3000);
    EXPECT_EQ(config->vSkngStep, 40);
    EXPECT_EQ(config->dvdAutorun, 1);
    EXPECT_EQ(config->scrFolder, "/shots");
    EXPECT_EQ(config->olTextSize, 3);
    EXPECT_EQ(c.Saved("filetypes/video", "AVI"), "1");
    EXPECT_EQ(c.Saved("filetypes/video", "MKV"), "0");
    EXPECT_EQ(config->ovLang, 2);
    EXPECT_EQ(config->RmbPlaylist, 1);
    EXPECT_EQ(config->RmbWndState, 1);
    EXPECT_EQ(config->volume, 5000) << "the autosave state is left alone";

    const QStringList steps = {"Procedure btnApplyClick: Trying to save configuration.",
                               "- Updating keys...",
                               "- Keys updating now...",
                               "- Saving hotkeys/default",
                               "-- Saving...",
                               "- Saving general options...",
                               "- Saving filetypes/video",
                               "- Saving...",
                               "Saving configuration... done!"};
    QStringList seen;
    for (const QString& line : log.lines)
        if (steps.contains(line)) seen << line;
    EXPECT_EQ(seen, steps);
}

TEST(ConfigFile, ApplyChangesStopsAtANumberBoxWithoutANumber) {
    ConfigDir c;
    c.Load();
    TKeys keys;
    const auto config = SavePreferences(c.context, keys, DialogValues("x"));
    TKeys stored;
    EXPECT_TRUE(LoadHotkeys(stored, c.context));
    EXPECT_EQ(stored.Count, 2) << "hotkeys are saved";
    EXPECT_EQ(config->mLBtn, 2);
    EXPECT_EQ(config->mRBtn, 1) << "keys before the seek box are saved";
    EXPECT_EQ(config->vSkng, 5) << "the seek box and what follows keep their values";
    EXPECT_EQ(config->vSkngStep, 30);
    EXPECT_EQ(config->dvdAutorun, 0);
    EXPECT_EQ(config->olTextSize, 8);
    EXPECT_EQ(c.Saved("filetypes/video", "AVI"), "0") << "file types are not saved";
    EXPECT_EQ(config->ovLang, 2) << "the language and remember flags are";
    EXPECT_EQ(config->RmbPlaylist, 1);
    EXPECT_EQ(config->RmbWndState, 1);
}

TEST(ConfigFile, ApplyChangesWithNoKeysEmptiesTheProfile) {
    ConfigDir c;
    c.Load();
    TKeys keys;
    LoadHotkeys(keys, c.context);
    PreferencesValues values = DialogValues("5");
    values.keys.clear();
    SavePreferences(c.context, keys, values);
    EXPECT_EQ(keys.Count, 0);
    ovConfig file(c.Path(), kConfigRoot);
    const pugi::xml_node profile = file.FindNodePath("hotkeys/default", false);
    ASSERT_TRUE(profile);
    EXPECT_FALSE(profile.first_child());
}

TEST(ConfigFile, SaveAutosave) {
    struct Case {
        bool rememberMovie;
        bool rememberWindow;
        const char* loaded;
        const char* latest; // what latest_movie holds afterwards
    } cases[] = {
        {true, false, "", "/old.avi"},
        {true, false, "/now.avi", "/now.avi"},
        {false, true, "/now.avi", ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.loaded);
        ConfigDir c;
        auto config = c.Load();
        config->ovRmbLastMovie = k.rememberMovie;
        config->RmbWndState = k.rememberWindow;
        config->latestMovie = "/old.avi";
        config->playlistIsClosed = 0;
        config->installedDir = "/elsewhere/";
        const AutosaveState state{true, 150, 1234, k.loaded, {10, 20, 800, 600}};
        SaveAutosave(c.context, *config, state);
        EXPECT_EQ(c.Saved("autosave/playlist", "isclosed"), "0");
        EXPECT_EQ(c.Saved("autosave/asPlaylistWidth", "width"), "150");
        EXPECT_EQ(c.Saved("autosave/volume", "level"), "1234");
        EXPECT_EQ(c.Saved("autosave/latest_movie", "name"), k.latest[0] ? k.latest : "(none)");
        EXPECT_EQ(c.Saved("general/installedDir", "here"), "/elsewhere/");
        EXPECT_EQ(c.Saved("general/wasClosedInFullScreen", "yesornot"), "1");
        const QStringList bounds = {
            c.Saved("autosave/WindowState", "width"), c.Saved("autosave/WindowState", "height"),
            c.Saved("autosave/WindowState", "posX"), c.Saved("autosave/WindowState", "posY")};
        const QStringList expectedBounds =
            k.rememberWindow ? QStringList{"800", "600", "10", "20"} : QStringList(4, "(none)");
        EXPECT_EQ(bounds, expectedBounds);
        EXPECT_EQ(c.Read().count("\r\n"), c.Read().count('\n'));
    }
}

TEST(ConfigFile, SaveAutosaveCreatesWhatIsMissing) {
    struct Case {
        const char* content;
        QStringList autosave; // element order afterwards
    } cases[] = {
        {"<OV.Configuration><general/></OV.Configuration>",
         {"playlist", "asPlaylistWidth", "volume"}},
        {"<OV.Configuration><autosave><RmbPlaylist offon='0'/></autosave></OV.Configuration>",
         {"RmbPlaylist", "asPlaylistWidth", "playlist", "volume"}},
    };
    for (const Case& k : cases) {
        ConfigDir c;
        c.Write(k.content);
        SaveAutosave(c.context, *c.Load(), {});
        ovConfig file(c.Path(), kConfigRoot);
        QStringList names;
        for (pugi::xml_node n : file.FindNodePath("autosave", false).children())
            names << n.name();
        EXPECT_EQ(names, k.autosave) << k.content;
    }
    // A file gone while the player ran is written whole again.
    ConfigDir c;
    const auto config = c.Load();
    QFile::remove(c.Path());
    SaveAutosave(c.context, *config, {false, 99, 10, "", {}});
    TKeys keys;
    EXPECT_TRUE(LoadHotkeys(keys, c.context));
    EXPECT_EQ(keys.Count, 25);
    EXPECT_EQ(c.Load()->asPlaylistWidth, 99);
}

TEST(ConfigFile, InterruptedSaveLeavesTheOldFile) {
    ConfigDir c;
    c.Write("old content");
    {
        AtomicFile file(c.Path());
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("new content, never committed"));
    }
    EXPECT_EQ(c.Read(), "old content");
    EXPECT_EQ(QDir(c.dir.path()).entryList(QDir::Files), QStringList{"OV.xml"})
        << "no temporary file is left behind";
    WriteFileAtomically(c.Path(), "new content");
    EXPECT_EQ(c.Read(), "new content");
    EXPECT_EQ(QDir(c.dir.path()).entryList(QDir::Files), QStringList{"OV.xml"});
}
