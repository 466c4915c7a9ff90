#include "core/actions/sys_ActionsUtils.h"

#include "core/system/cl_debugLog.h"

namespace ov {

using A = ActionOp;

// Captions keep their historical spellings: users and stored files know them.
constexpr std::array<ActionRow, kActionCount> kActions{{
    {A::ui_MaximizeApp, "ui_MaximizeApp", "Application: Maximize"},
    {A::ui_ExitApp, "ui_ExitApp", "Application: Close"},
    {A::ui_About, "ui_About", "Application: About"},
    {A::ui_appOnTop, "ui_appOnTop", "Application: Always on top"},
    {A::ui_MinimizeApp, "ui_MinimizeApp", "Application: Minimize"},
    {A::ui_ShowOVOptions, "ui_ShowOVOptions", "Application: Preferences menu"},
    {A::ui_ShowVideoInfo, "ui_ShowVideoInfo", "Application: File information"},
    {A::ui_ShowPlaylist, "ui_ShowPlaylist", "Application: Show playlist"},
    {A::ui_OpenMedia1, "ui_OpenMedia1", "Application: Open a new movie"},
    {A::ui_OpenMedia, "ui_OpenMedia", "Playback: Play/Pause"},
    {A::ui_hidePanels, "ui_hidePanels", "Application: Hide panels"},
    {A::ui_originalWindowSize, "ui_originalWindowSize",
     "Application: Move window to screen center with default w/h"},
    {A::pb_StopMedia, "pb_StopMedia", "Playback: Stop"},
    {A::pb_CloseMedia, "pb_CloseMedia", "Playback: Close file"},
    {A::snd_SetMute, "snd_SetMute", "Sound: Turn off"},
    {A::snd_VolumeUp, "snd_VolumeUp", "Sound: Increase volume"},
    {A::snd_VolumeDown, "snd_VolumeDown", "Sound: Decrease volume"},
    {A::skng_FrameFwd, "skng_FrameFwd", "Seek: Frame forward"},
    {A::skng_FrameBack, "skng_FrameBack", "Seek: Frame backward"},
    {A::skng_StepFwd, "skng_StepFwd", "Seek: Jump forward"},
    {A::skng_StepBack, "skng_StepBack", "Seek: Jump backward"},
    {A::skng_SeekFwd, "skng_SeekFwd", "Seek: Seek forward"},
    {A::skng_SeekBack, "skng_SeekBack", "Seek: Seek backward"},
    {A::skng_SetVideoToBegin, "skng_SetVideoToBegin", "Seek: Seek to movie begin"},
    {A::pl_nextInPlaylist, "pl_nextInPlaylist", "Playlist: Next in playlist"},
    {A::pl_prevInPlaylist, "pl_prevInPlaylist", "Playlist: Previous in playlist"},
    {A::pl_removeFromPlaylist, "pl_removeFromPlaylist", "Playlist: Remove from playlist"},
    {A::pl_erasePlaylist, "pl_erasePlaylist", "Playlist: Erase playlist"},
    {A::pl_sortPlaylist, "pl_sortPlaylist", "Playlist: Sort playlist"},
    {A::pl_clipboardThisItem, "pl_clipboardThisItem", "Playlist: Copy selected line to clipboard"},
    {A::pl_playSelected, "pl_playSelected", "Playlist: Play selected"},
    {A::pl_moveUp, "pl_moveUp", "Playlist: Move item up"},
    {A::pl_moveDown, "pl_moveDown", "Playlist: Move item down"},
    {A::ar_SetFullScreen, "ar_SetFullScreen", "Aspect ratio: FullScreen"},
    {A::ar_SetWideScreen, "ar_SetWideScreen", "Aspect ratio: WideScreen"},
    {A::ar_SetXY, "ar_SetXY", "Aspect ratio: Stretched"},
    {A::dm_SetOriginalSize, "dm_SetOriginalSize", "Video viewing: Original size"},
    {A::dm_SetFullscreen, "dm_SetFullscreen", "Video viewing: FullScreen mode"},
    {A::dm_ZoomIn, "dm_ZoomIn", "Video viewing: Zoom-in picture"},
    {A::dm_ZoomOut, "dm_ZoomOut", "Video viewing: Zoom-out picture"},
    {A::dm_BrightnessIn, "dm_BrightnessIn", "Video viewing: Increase brightness"},
    {A::dm_BrightnessOut, "dm_BrightnessOut", "Video viewing: Decrease brightness"},
    {A::dm_ContrastIn, "dm_ContrastIn", "Video viewing: Increase contrast"},
    {A::dm_ContrastOut, "dm_ContrastOut", "Video viewing: Decrease contrast"},
    {A::dm_SaturationIn, "dm_SaturationIn", "Video viewing: Increase saturation"},
    {A::dm_SaturationOut, "dm_SaturationOut", "Video viewing: Decrease saturation"},
    {A::dm_HUEIn, "dm_HUEIn", "Video viewing: Increase HUE"},
    {A::dm_HUEOut, "dm_HUEOut", "Video viewing: Decrease HUE"},
    {A::dmc_keyboardEnter, "dmc_keyboardEnter", "DVD: Activate menu"},
    {A::dmc_keyboardUp, "dmc_keyboardUp", "DVD: Menu Up"},
    {A::dmc_keyboardDown, "dmc_keyboardDown", "DVD: Menu Down"},
    {A::dmc_keyboardLeft, "dmc_keyboardLeft", "DVD: Menu Left"},
    {A::dmc_keyboardRight, "dmc_keyboardRight", "DVD: Menu Right"},
    {A::dvd_searchForDVD, "dvd_searchForDVD", "DVD: Search for DVD disk"},
    {A::dvd_mainDVDMenu, "dvd_mainDVDMenu", "DVD: Main DVD menu"},
    {A::dvd_nextChapter, "dvd_nextChapter", "DVD: Next chapter"},
    {A::dvd_prevChapter, "dvd_prevChapter", "DVD: Previous chapter"},
    {A::msc_SnapshotToFile, "msc_SnapshotToFile", "Miscalleneous: Screenshot to file"},
    {A::msc_SnapshotToClipboard, "msc_SnapshotToClipboard",
     "Miscalleneous: Screenshot to clipboard"},
}};

namespace {

QString Text(std::string_view view) {
    return QString::fromLatin1(view.data(), static_cast<qsizetype>(view.size()));
}

const ActionRow* RowOf(ActionHandler handler) {
    if (handler.IsEmpty()) return nullptr;
    for (const ActionRow& row : kActions)
        if (ActionHandler(row.op) == handler) return &row;
    return nullptr;
}

// Row i runs operation i, and names and captions are unique: the lookups rely on both.
constexpr bool RegistryIsWellFormed() {
    for (std::size_t i = 0; i < kActions.size(); ++i) {
        if (static_cast<std::size_t>(kActions[i].op) != i) return false;
        for (std::size_t j = i + 1; j < kActions.size(); ++j)
            if (kActions[i].name == kActions[j].name || kActions[i].caption == kActions[j].caption)
                return false;
    }
    return true;
}
static_assert(RegistryIsWellFormed());

} // namespace

QString ActionToString(ActionHandler handler) {
    const ActionRow* row = RowOf(handler);
    return row ? Text(row->caption) : QStringLiteral("Unknown");
}

QString ActionToStringEx(ActionHandler handler) {
    if (handler.IsEmpty()) {
        DebugLog("*FAIL* ActionToStringEx: Action is NOT exist...");
        return {};
    }
    const ActionRow* row = RowOf(handler);
    return row ? Text(row->name) : QString();
}

ActionHandler ActionFromString(const QString& name) {
    const QString wanted = name.toLower();
    for (const ActionRow& row : kActions)
        if (Text(row.name).toLower() == wanted) return ActionHandler(row.op);
    return {};
}

ActionHandler ActionFromIndex(int index) {
    DebugLog(QStringLiteral("ActionFromIndex: X is \"%1\"").arg(index));
    if (index < 0 || index >= kActionCount) return {};
    return ActionHandler(kActions[static_cast<std::size_t>(index)].op);
}

int ActionIndex(const QString& caption) {
    if (caption.isEmpty()) {
        DebugLog("FAIL: ActionIndex get empty *Text*!");
        return -1;
    }
    for (int i = 0; i < kActionCount; ++i)
        if (Text(kActions[static_cast<std::size_t>(i)].caption) == caption) return i;
    return -1;
}

QString ActionCaption(int index) {
    return Text(kActions.at(static_cast<std::size_t>(index)).caption);
}

QString ActionName(int index) {
    return Text(kActions.at(static_cast<std::size_t>(index)).name);
}

} // namespace ov
