#include "core/config/cl_ConfigFile.h"

#include "core/app/Error.h"
#include "core/app/MainWindow.h"
#include "core/app/ProgramFolder.h"
#include "core/config/ConfigSchema.h"
#include "core/config/ovConfig.h"
#include "core/system/cl_debugLog.h"
#include "core/system/sys_FilesOps.h"
#include "ports/Dialogs.h"
#include "ports/MediaGraph.h"
#include "ports/Shell.h"

#include <QFileInfo>
#include <variant>

namespace ov {

namespace {

constexpr auto F = [](std::string_view name) consteval {
    return ConfigFieldNamed(name);
};

// The reading pass, in the order the fields are read. The remembered movie and the window
// bounds are read after it.
constexpr std::array kReadingPass{
    F("ovCWZUM"),
    F("ovFullScreenWhenPlayStarted"),
    F("ovBeginPlaying"),
    F("ovSeekToLastStop"),
    F("ovRmbLastMovie"),
    F("ovDisableSS"),
    F("mscAllowMultipleInst"),
    F("mscRvrsPbTime"),
    F("mscPauseWhenMinimized"),
    F("mscAutoPPWhenInActive"),
    F("mscRewindPBOnFinish"),
    F("capDontShowInFSMode"),
    F("capShowInWndMode"),
    F("pBackground_color"),
    F("pFont_color"),
    F("pFontSize"),
    F("pShowNumbers"),
    F("pShowDuration"),
    F("pIfEnd"),
    F("pShuffle"),
    F("mLBtn"),
    F("mLDblBtn"),
    F("mMdlBtn"),
    F("mRoll"),
    F("mRBtn"),
    F("msHideSecs"),
    F("mRollDirection"),
    F("vSkng"),
    F("vSkngStep"),
    F("playlistIsClosed"),
    F("asPlaylistWidth"),
    F("volume"),
    F("RmbPlaylist"),
    F("RmbWndState"),
    F("ovLang"),
    F("dvdAutorun"),
    F("scrFolder"),
    F("olTextColor"),
    F("olTextSize"),
    F("installedDir"),
    F("wasClosedInFullScreen"),
};

// The first-run file's settings in the order they appear; the groups follow from it. There is
// no mRBtn, so its reader default applies until the preferences are saved.
constexpr std::array kFirstRunFields{
    F("ovCWZUM"),
    F("ovFullScreenWhenPlayStarted"),
    F("ovBeginPlaying"),
    F("ovSeekToLastStop"),
    F("ovRmbLastMovie"),
    F("ovDisableSS"),
    F("mscAllowMultipleInst"),
    F("mscRvrsPbTime"),
    F("mscPauseWhenMinimized"),
    F("mscAutoPPWhenInActive"),
    F("mscRewindPBOnFinish"),
    F("capDontShowInFSMode"),
    F("capShowInWndMode"),
    F("pBackground_color"),
    F("pFont_color"),
    F("pFontSize"),
    F("pShowNumbers"),
    F("pShowDuration"),
    F("pIfEnd"),
    F("pShuffle"),
    F("mLBtn"),
    F("mLDblBtn"),
    F("mMdlBtn"),
    F("mRoll"),
    F("msHideSecs"),
    F("mRollDirection"),
    F("vSkng"),
    F("vSkngStep"),
    F("ovLang"),
    F("scrFolder"),
    F("olTextColor"),
    F("olTextSize"),
    F("installedDir"),
    F("wasClosedInFullScreen"),
    F("playlistIsClosed"),
    F("volume"),
    F("asPlaylistWidth"),
    F("latestMovie"),
    F("RmbPlaylist"),
    F("RmbWndState"),
    F("dvdAutorun"),
};

using P = PreferencesValues;
using DialogValue = std::variant<bool P::*, int P::*, std::int64_t P::*, QString P::*>;

struct DialogEntry {
    const ConfigField* field;
    DialogValue value;
};

// What "Apply changes" writes, in this order; a number box without an integer stops it there.
constexpr DialogEntry kDialogSave[] = {
    {F("ovCWZUM"), &P::ovCWZUM},
    {F("ovFullScreenWhenPlayStarted"), &P::ovFullScreenWhenPlayStarted},
    {F("ovBeginPlaying"), &P::ovBeginPlaying},
    {F("ovSeekToLastStop"), &P::ovSeekToLastStop},
    {F("msHideSecs"), &P::msHideSecs},
    {F("ovRmbLastMovie"), &P::ovRmbLastMovie},
    {F("ovDisableSS"), &P::ovDisableSS},
    {F("mscAllowMultipleInst"), &P::mscAllowMultipleInst},
    {F("mscRvrsPbTime"), &P::mscRvrsPbTime},
    {F("mscPauseWhenMinimized"), &P::mscPauseWhenMinimized},
    {F("mscAutoPPWhenInActive"), &P::mscAutoPPWhenInActive},
    {F("mscRewindPBOnFinish"), &P::mscRewindPBOnFinish},
    {F("capDontShowInFSMode"), &P::capDontShowInFSMode},
    {F("capShowInWndMode"), &P::capShowInWndMode},
    {F("pBackground_color"), &P::pBackground_color},
    {F("pFont_color"), &P::pFont_color},
    {F("pFontSize"), &P::pFontSize},
    {F("pShowNumbers"), &P::pShowNumbers},
    {F("pShowDuration"), &P::pShowDuration},
    {F("pIfEnd"), &P::pIfEnd},
    {F("pShuffle"), &P::pShuffle},
    {F("mLBtn"), &P::mLBtn},
    {F("mLDblBtn"), &P::mLDblBtn},
    {F("mMdlBtn"), &P::mMdlBtn},
    {F("mRoll"), &P::mRoll},
    {F("mRollDirection"), &P::mRollDirection},
    {F("mRBtn"), &P::mRBtn},
    {F("vSkng"), &P::vSkng},
    {F("vSkngStep"), &P::vSkngStep},
    {F("dvdAutorun"), &P::dvdAutorun},
    {F("scrFolder"), &P::scrFolder},
    {F("olTextColor"), &P::olTextColor},
    {F("olTextSize"), &P::olTextSize},
};

constexpr const ConfigField* kLatestMovie = F("latestMovie");
constexpr std::array kWindowBounds{F("wndWidth"), F("wndHeight"), F("wndPosX"), F("wndPosY")};

template <std::size_t N>
constexpr bool AllHave(const std::array<const ConfigField*, N>& list,
                       ConfigDefault ConfigField::*set) {
    for (const ConfigField* field : list)
        if ((field->*set).kind == ConfigDefault::Kind::None) return false;
    return true;
}
static_assert(AllHave(kReadingPass, &ConfigField::reader), "every field read has a default");
static_assert(AllHave(kFirstRunFields, &ConfigField::firstRun), "every field written has a value");

QString Text(std::string_view view) {
    return QString::fromLatin1(view.data(), static_cast<qsizetype>(view.size()));
}

QString Element(const ConfigField& field) {
    return Text(field.element);
}
QString Attribute(const ConfigField& field) {
    return Text(field.attribute);
}

QString DefaultText(const ConfigDefault& d, const DefaultContext& context) {
    switch (d.kind) {
    case ConfigDefault::Kind::PicturesFolder:
        return context.picturesFolder;
    case ConfigDefault::Kind::ProgramFolder:
        return context.programFolder;
    case ConfigDefault::Kind::Number:
        return QString::number(d.number);
    default:
        return {};
    }
}

// The pictures folder as the reader default of scrFolder. When the shell cannot say, the
// folder stays empty and the remaining settings are still read.
QString PicturesFolderOrEmpty(Shell& shell) {
    try {
        return DefaultScreenshotFolder(shell);
    } catch (const std::exception& e) {
        DebugLog(QStringLiteral("*FAIL* ") + QString::fromUtf8(e.what()));
        return {};
    }
}

void ReportWriteFailure(ConfigFileContext& context, const QString& problem) {
    DebugLog("*FAIL* " + problem);
    if (context.writeFailureReported) return;
    context.writeFailureReported = true;
    context.dialogs.MessageBox(
        QStringLiteral("Orvane Player cannot save its settings:\n%1\n\n"
                       "It keeps running with the settings it has, but changes will not be kept.")
            .arg(problem),
        QStringLiteral("Orvane Player"));
}

// Saves the document; a failure is reported, never thrown.
bool SaveReported(ConfigFileContext& context, ovConfig& config) {
    try {
        config.Save();
        return true;
    } catch (const std::exception& e) {
        ReportWriteFailure(context, QString::fromUtf8(e.what()));
        return false;
    }
}

void AppendHotkey(pugi::xml_node profile, const QString& action, std::uint16_t key, int shift) {
    pugi::xml_node hotkey = profile.append_child("hotkey");
    hotkey.append_attribute("action").set_value(action.toUtf8().constData());
    hotkey.append_attribute("key").set_value(key);
    hotkey.append_attribute("shift").set_value(shift);
}

// The content of a fresh OV.xml.
void FillFirstRun(ovConfig& config, const QString& programFolder) {
    pugi::xml_node profile = config.FindNodePath("hotkeys/default", true);
    for (const DefaultHotkey& binding : kDefaultHotkeys)
        AppendHotkey(profile, Text(kActions[static_cast<std::size_t>(binding.action)].name),
                     binding.key, binding.shift);
    const DefaultContext context{QString(), programFolder};
    for (const ConfigField* field : kFirstRunFields) {
        if (field->firstRun.kind == ConfigDefault::Kind::Number)
            config.WriteInteger(Element(*field), Attribute(*field), field->firstRun.number);
        else
            config.WriteString(Element(*field), Attribute(*field),
                               DefaultText(field->firstRun, context));
    }
    for (const VideoExtension& extension : videoExtensions)
        config.WriteBool("filetypes/video", Text(extension.display.substr(1)), false);
}

void ReadFields(ovConfig& file, zvOVConfigInfo& config, const DefaultContext& context) {
    for (const ConfigField* field : kReadingPass) {
        const QString element = Element(*field);
        const QString attribute = Attribute(*field);
        switch (field->width) {
        case FieldWidth::Text:
            config.*std::get<QString zvOVConfigInfo::*>(field->ref) =
                file.ReadString(element, attribute, DefaultText(field->reader, context));
            break;
        case FieldWidth::Flag:
            StoreNumber(config, *field,
                        file.ReadBool(element, attribute, field->reader.number != 0));
            break;
        default:
            StoreNumber(
                config, *field,
                file.ReadInteger(element, attribute, static_cast<int>(field->reader.number)));
            break;
        }
    }
}

// Saved bounds only when all four are integers; anything less counts as none saved.
void ReadWindowBounds(ovConfig& file, zvOVConfigInfo& config) {
    if (!file.FindNodePath(Element(*kWindowBounds[0]), false)) return;
    std::array<int, kWindowBounds.size()> values{};
    for (std::size_t i = 0; i < kWindowBounds.size(); ++i) {
        bool ok = false;
        values[i] = file.ReadString(Element(*kWindowBounds[i]), Attribute(*kWindowBounds[i]), {})
                        .toInt(&ok);
        if (!ok) {
            DebugLog("WindowState is incomplete: no saved window bounds.");
            return;
        }
    }
    for (std::size_t i = 0; i < kWindowBounds.size(); ++i)
        StoreNumber(config, *kWindowBounds[i], values[i]);
    config.hasWindowBounds = true;
}

// Opens OV.xml for a procedure that writes it. A file that is missing or cannot be read starts
// from the first-run content, so what is saved is a complete file; an unreadable one is kept
// beside it.
std::unique_ptr<ovConfig> OpenForWriting(const ConfigFileContext& context) {
    auto config =
        std::make_unique<ovConfig>(context.Path(), kConfigRoot, ovConfig::IfUnreadable::StartEmpty);
    if (config->StartedEmpty()) FillFirstRun(*config, context.folder);
    return config;
}

void WriteDialogValue(ovConfig& file, const DialogEntry& entry, const PreferencesValues& values) {
    const QString element = Element(*entry.field);
    const QString attribute = Attribute(*entry.field);
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(values.*member)>;
            const T& value = values.*member;
            if constexpr (std::is_same_v<T, bool>) {
                file.WriteBool(element, attribute, value);
            } else if constexpr (std::is_same_v<T, QString>) {
                if (entry.field->width == FieldWidth::Text) {
                    file.WriteString(element, attribute, value);
                    return;
                }
                bool ok = false;
                const int number = value.toInt(&ok);
                if (!ok) throw Error("'" + value + "' is not an integer");
                file.WriteInteger(element, attribute, number);
            } else {
                file.WriteInteger(element, attribute, value);
            }
        },
        entry.value);
}

} // namespace

QString DefaultScreenshotFolder(Shell& shell) {
    const QString folder = shell.PicturesFolder();
    if (folder.isEmpty()) throw Error("SHGetPathFromIDList failed : invalid pidl");
    return folder.left(260);
}

std::unique_ptr<zvOVConfigInfo> LoadConfiguration(ConfigFileContext& context) {
    // 1: a fresh record; whatever is not read keeps its reader default.
    auto config = std::make_unique<zvOVConfigInfo>();
    const DefaultContext defaults{PicturesFolderOrEmpty(context.shell), context.folder};
    ApplyDefaults(*config, DefaultSet::Reader, defaults);

    // 2: the first-run file. When it cannot be written, it is read from memory instead.
    const QString path = context.Path();
    std::unique_ptr<ovConfig> file;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        auto firstRun =
            std::make_unique<ovConfig>(path, kConfigRoot, ovConfig::IfUnreadable::StartEmpty);
        FillFirstRun(*firstRun, context.folder);
        if (!SaveReported(context, *firstRun)) file = std::move(firstRun);
    }

    // 3: the reading pass. A file that cannot be parsed is read as nothing and left as it is.
    try {
        if (!file) file = std::make_unique<ovConfig>(path, kConfigRoot);
    } catch (const std::exception& e) {
        DebugLog(QStringLiteral("*FAIL* ") + QString::fromUtf8(e.what()));
    }
    if (file) {
        if (context.syncFileTypes) {
            // The associations are not worth the settings: a failure there reads on.
            try {
                context.syncFileTypes(*file);
            } catch (const std::exception& e) {
                DebugLog(QStringLiteral("* FAIL: Registering file types! ") + e.what());
            }
        }
        ReadFields(*file, *config, defaults);
        // 5
        config->latestMovie =
            file->ReadString(Element(*kLatestMovie), Attribute(*kLatestMovie), QString());
        // 6
        if (config->RmbWndState) ReadWindowBounds(*file, *config);
    }
    // 4
    DeriveMsCopies(*config);
    return config;
}

namespace {
void AddDefaultHotkeys(TKeys& keys) {
    for (const DefaultHotkey& binding : kDefaultHotkeys)
        AddHotkey(keys, binding.key, FlagsToModifiers(binding.shift), ActionHandler(binding.action));
}
} // namespace

bool LoadHotkeys(TKeys& keys, const ConfigFileContext& context) {
    if (!QFileInfo(context.Path()).isFile()) {
        // Only when the first-run file could not be written: its bindings apply all the same.
        DebugLog("No " + context.Path() + ": the default hotkeys apply.");
        AddDefaultHotkeys(keys);
        return false;
    }
    const bool read = LoadKeysFromXML(keys, context.folder, kConfigFileName, QStringLiteral("default"));
    // A file damaged before its first binding must not leave the player without keys (Esc
    // could not even close it): the defaults stand in, as the other settings' defaults do.
    if (!read && keys.Count == 0) {
        DebugLog("No hotkeys could be read from " + context.Path() + ": the default hotkeys apply.");
        AddDefaultHotkeys(keys);
    }
    return read;
}

void UpdateKeys(TKeys& keys, const std::vector<PreferencesKeyRow>& rows) {
    DebugLog("- Updating keys...");
    ClearHotkeys(keys);
    if (rows.empty()) {
        DebugLog("*FAIL* Preferences->UpdateKeys: lsvKeyboard_Actions.Items.Count is lower than "
                 "or it is 0.");
        return;
    }
    DebugLog("- Keys updating now...");
    for (const PreferencesKeyRow& row : rows)
        AddHotkey(keys, row.key, row.shift, ActionFromIndex(ActionIndex(row.caption)));
}

std::unique_ptr<zvOVConfigInfo> SavePreferences(ConfigFileContext& context, TKeys& keys,
                                                const PreferencesValues& values) {
    // 1
    DebugLog("Procedure btnApplyClick: Trying to save configuration.");
    const std::unique_ptr<ovConfig> file = OpenForWriting(context);
    try {
        // 2
        UpdateKeys(keys, values.keys);
        // 3
        DebugLog("- Saving hotkeys/default");
        file->ClearChildren("hotkeys/default");
        if (keys.Count > 0) {
            if (pugi::xml_node profile = file->FindNodePath("hotkeys/default", true)) {
                DebugLog("-- Saving...");
                for (const TKeyItem& item : keys.Items)
                    AppendHotkey(profile, ActionToStringEx(item.Action), item.Key,
                                 ModifiersToFlags(item.Shift));
                file->SetModified();
            } else {
                DebugLog("-- Node is cannot be assigned!");
            }
        }
        // 4
        DebugLog("- Saving general options...");
        for (const DialogEntry& entry : kDialogSave)
            WriteDialogValue(*file, entry, values);
        // 5
        DebugLog("- Saving filetypes/video");
        if (values.fileTypes.isEmpty()) {
            DebugLog("-- CANNOT to save filetypes...");
        } else {
            DebugLog("- Saving...");
            for (const auto& [entry, marked] : values.fileTypes)
                file->WriteBool("filetypes/video", entry.startsWith('.') ? entry.mid(1) : entry,
                                marked);
        }
    } catch (const std::exception& e) {
        // Typically a number box without a number: the keys before it are kept.
        DebugLog(QStringLiteral("*FAIL* ") + QString::fromUtf8(e.what()));
    }
    // 6
    DebugLog("Saving configuration... done!");
    // 7: the language and the two remember flags are written whatever happened above.
    constexpr const ConfigField* language = F("ovLang");
    if (file->FindNodePath("general", false))
        file->WriteInteger(Element(*language), Attribute(*language), values.ovLang);
    for (const auto& [field, flag] : {std::pair{F("RmbPlaylist"), values.RmbPlaylist},
                                      std::pair{F("RmbWndState"), values.RmbWndState}})
        file->WriteBool(Element(*field), Attribute(*field), flag);
    // One write for steps 6 and 7: the file on disk ends up the same, replaced once.
    SaveReported(context, *file);
    // 8
    return LoadConfiguration(context);
}

void SaveAutosave(ConfigFileContext& context, const zvOVConfigInfo& config,
                  const AutosaveState& state) {
    // 1
    const bool playlistClosed = config.playlistIsClosed == 1;
    // 2
    std::unique_ptr<ovConfig> file;
    try {
        file = OpenForWriting(context);
        // 3
        if (file->FindNodePath("general", false)) {
            for (const auto& [name, value] :
                 {std::pair{F("installedDir"), config.installedDir},
                  std::pair{F("wasClosedInFullScreen"), QString::number(state.maximized ? 1 : 0)}})
                file->WriteString(Element(*name), Attribute(*name), value);
        }
        // 4, 5: an autosave group made now takes the playlist state first.
        const bool groupExists = !file->FindNodePath("autosave", false).empty();
        const std::pair<const ConfigField*, std::int64_t> panel[] = {
            {F("asPlaylistWidth"), state.playlistWidth},
            {F("playlistIsClosed"), playlistClosed ? 1 : 0},
            {F("volume"), state.volume},
        };
        for (int i : groupExists ? std::array{0, 1, 2} : std::array{1, 0, 2})
            file->WriteInteger(Element(*panel[i].first), Attribute(*panel[i].first),
                               panel[i].second);
        if (config.ovRmbLastMovie)
            file->WriteString(Element(*kLatestMovie), Attribute(*kLatestMovie),
                              state.loadedMovie.isEmpty() ? config.latestMovie : state.loadedMovie);
        if (config.RmbWndState) {
            const int bounds[] = {state.window.width, state.window.height, state.window.left,
                                  state.window.top};
            for (std::size_t i = 0; i < kWindowBounds.size(); ++i)
                file->WriteInteger(Element(*kWindowBounds[i]), Attribute(*kWindowBounds[i]),
                                   bounds[i]);
        }
    } catch (const std::exception& e) {
        DebugLog(QStringLiteral("*FAIL* SaveAutosave: ") + QString::fromUtf8(e.what()));
        return;
    }
    // 6
    SaveReported(context, *file);
}

AutosaveState AutosaveStateOf(MainWindow& w) {
    AutosaveState state;
    state.maximized = w.platform.view.IsMaximized();
    state.playlistWidth = w.model.playlistWidth;
    state.volume = w.platform.graph.Volume();
    if (w.MovieInfo && w.MovieInfo->Opened) state.loadedMovie = w.MovieInfo->FullPath;
    state.window = w.platform.view.CurrentBounds();
    return state;
}

} // namespace ov
