#pragma once
#include "core/actions/sys_HotkeyUtils.h"
#include "core/app/MainWindowModel.h"
#include "core/config/sys_Types.h"

#include <QList>
#include <QPair>
#include <functional>
#include <memory>
#include <vector>

namespace ov {

class Dialogs;
class MainWindow;
class Shell;
class ovConfig;

inline constexpr char kConfigFileName[] = "OV.xml";
inline constexpr char kConfigRoot[] = "OV.Configuration";

// The user's pictures folder, at most 260 characters. Throws ov::Error with
// "SHGetPathFromIDList failed : invalid pidl" when the shell cannot say.
QString DefaultScreenshotFolder(Shell& shell);

// Brings the desktop's file associations in line with filetypes/video, reading through the
// open accessor.
using SyncFileTypesHook = std::function<void(ovConfig&)>;

// Where OV.xml lives and what its procedures need from outside. Keep one for the life of the
// main window: a file that cannot be written is reported to the user once, not at every save.
struct ConfigFileContext {
    ConfigFileContext(QString programFolder, Shell& shell_, Dialogs& dialogs_,
                      SyncFileTypesHook sync = {})
        : folder(std::move(programFolder)), shell(shell_), dialogs(dialogs_),
          syncFileTypes(std::move(sync)) {}

    QString folder; // the program's folder, ending with "/"
    Shell& shell;
    Dialogs& dialogs;
    SyncFileTypesHook syncFileTypes; // empty: associations are left alone
    bool writeFailureReported = false;

    QString Path() const { return folder + kConfigFileName; }
};

// A fresh record from OV.xml, writing the first-run file first when there is none. Never
// throws: whatever cannot be read takes its reader default, and a file that cannot be written
// leaves the record as the first-run file would have given it.
std::unique_ptr<zvOVConfigInfo> LoadConfiguration(ConfigFileContext& context);

// The "default" profile of OV.xml into the table; true when the profile was read to its end.
bool LoadHotkeys(TKeys& keys, const ConfigFileContext& context);

// One row of the preferences dialog's keyboard list, its key text already converted.
struct PreferencesKeyRow {
    QString caption; // the action's caption
    std::uint16_t key = 0;
    TShiftState shift;
};

// What the preferences dialog holds when "Apply changes" is pressed, control by control.
// Number boxes are the texts typed into them; radio groups and lists give -1 when nothing is
// chosen; colours are RGB numbers.
struct PreferencesValues {
    std::vector<PreferencesKeyRow> keys; // in list order
    bool ovCWZUM = false;
    bool ovFullScreenWhenPlayStarted = false;
    bool ovBeginPlaying = false;
    bool ovSeekToLastStop = false;
    QString msHideSecs;
    bool ovRmbLastMovie = false;
    bool ovDisableSS = false;
    bool mscAllowMultipleInst = false;
    bool mscRvrsPbTime = false;
    bool mscPauseWhenMinimized = false;
    bool mscAutoPPWhenInActive = false;
    bool mscRewindPBOnFinish = false;
    bool capDontShowInFSMode = false;
    bool capShowInWndMode = false;
    std::int64_t pBackground_color = 0;
    std::int64_t pFont_color = 0;
    int pFontSize = -1;
    bool pShowNumbers = false;
    bool pShowDuration = false;
    int pIfEnd = -1;
    bool pShuffle = false;
    int mLBtn = -1;
    int mLDblBtn = -1;
    int mMdlBtn = -1;
    int mRoll = -1;
    bool mRollDirection = false;
    int mRBtn = -1;
    QString vSkng;
    QString vSkngStep;
    bool dvdAutorun = false;
    QString scrFolder;
    std::int64_t olTextColor = 0;
    int olTextSize = -1;
    // The first group of the file-type tree in tree order: entry text (".AVI") and mark.
    QList<QPair<QString, bool>> fileTypes;
    int ovLang = 0; // the selected language's position; 0 when none is selected
    bool RmbPlaylist = false;
    bool RmbWndState = false;
};

// Rebuilds the hotkey table from the dialog's keyboard list.
void UpdateKeys(TKeys& keys, const std::vector<PreferencesKeyRow>& rows);

// "Apply changes": rebuilds the hotkey table, writes the dialog's values into OV.xml and
// reloads it. A number box that does not hold an integer ends the writing at its key; what
// was written before it is saved. Returns the reloaded record.
std::unique_ptr<zvOVConfigInfo> SavePreferences(ConfigFileContext& context, TKeys& keys,
                                                const PreferencesValues& values);

// What the exit saves besides the record's own fields.
struct AutosaveState {
    bool maximized = false;
    int playlistWidth = 0;
    int volume = 0;
    QString loadedMovie; // full path of the loaded movie; empty when none is loaded
    Bounds window;
};

// The state that survives a restart: playlist panel, volume, last movie, window bounds.
// Never throws; a file that cannot be written is reported once.
void SaveAutosave(ConfigFileContext& context, const zvOVConfigInfo& config,
                  const AutosaveState& state);
// The main window's state as the exit finds it.
AutosaveState AutosaveStateOf(MainWindow& w);

} // namespace ov
