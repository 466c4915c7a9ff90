#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <string_view>

namespace ov {

// Every operation of the actions object: the 59 named actions in registry order, then the
// operations that have no name and cannot be bound to a key.
enum class ActionOp : std::uint8_t {
    ui_MaximizeApp,
    ui_ExitApp,
    ui_About,
    ui_appOnTop,
    ui_MinimizeApp,
    ui_ShowOVOptions,
    ui_ShowVideoInfo,
    ui_ShowPlaylist,
    ui_OpenMedia1,
    ui_OpenMedia,
    ui_hidePanels,
    ui_originalWindowSize,
    pb_StopMedia,
    pb_CloseMedia,
    snd_SetMute,
    snd_VolumeUp,
    snd_VolumeDown,
    skng_FrameFwd,
    skng_FrameBack,
    skng_StepFwd,
    skng_StepBack,
    skng_SeekFwd,
    skng_SeekBack,
    skng_SetVideoToBegin,
    pl_nextInPlaylist,
    pl_prevInPlaylist,
    pl_removeFromPlaylist,
    pl_erasePlaylist,
    pl_sortPlaylist,
    pl_clipboardThisItem,
    pl_playSelected,
    pl_moveUp,
    pl_moveDown,
    ar_SetFullScreen,
    ar_SetWideScreen,
    ar_SetXY,
    dm_SetOriginalSize,
    dm_SetFullscreen,
    dm_ZoomIn,
    dm_ZoomOut,
    dm_BrightnessIn,
    dm_BrightnessOut,
    dm_ContrastIn,
    dm_ContrastOut,
    dm_SaturationIn,
    dm_SaturationOut,
    dm_HUEIn,
    dm_HUEOut,
    dmc_keyboardEnter,
    dmc_keyboardUp,
    dmc_keyboardDown,
    dmc_keyboardLeft,
    dmc_keyboardRight,
    dvd_searchForDVD,
    dvd_mainDVDMenu,
    dvd_nextChapter,
    dvd_prevChapter,
    msc_SnapshotToFile,
    msc_SnapshotToClipboard,
    // Unnamed operations.
    Play,
    Pause,
    RateUp,
    RateDown,
    SingleClick,
    ApplyPlaylistVisibility,
};

inline constexpr int kActionCount = 59;
inline constexpr int kOperationCount = static_cast<int>(ActionOp::ApplyPlaylistVisibility) + 1;

// An action's identity: the operation it runs, or none (the empty handler). Two handlers are
// the same action exactly when they name the same operation; the rows ui_MaximizeApp and
// dm_SetFullscreen do the same thing but stay two operations, so they stay two actions.
class ActionHandler {
public:
    constexpr ActionHandler() = default;
    constexpr explicit ActionHandler(ActionOp op) : op_(static_cast<int>(op)) {}

    constexpr bool IsEmpty() const { return op_ < 0; }
    constexpr explicit operator bool() const { return !IsEmpty(); }
    // Only for a handler that is not empty.
    constexpr ActionOp Op() const { return static_cast<ActionOp>(op_); }

    friend constexpr bool operator==(ActionHandler, ActionHandler) = default;

private:
    int op_ = -1;
};

struct ActionRow {
    ActionOp op;
    std::string_view name;    // stored in OV.xml
    std::string_view caption; // shown to the user
};

// The registry, index 0 to 58; never changed at run time.
extern const std::array<ActionRow, kActionCount> kActions;

// The caption; "Unknown" for the empty handler or one without a row.
QString ActionToString(ActionHandler handler);
// The name; empty for the empty handler (logged) or one without a row (not logged).
QString ActionToStringEx(ActionHandler handler);
// The handler whose name equals the text, ignoring letter case; empty when none does.
ActionHandler ActionFromString(const QString& name);
// The handler of the row with that index (logged); empty outside 0 to 58.
ActionHandler ActionFromIndex(int index);
// The index of the row whose caption equals the text exactly; -1 when none (empty text logged).
int ActionIndex(const QString& caption);

// For the preferences dialog's list; the index must be 0 to 58.
QString ActionCaption(int index);
QString ActionName(int index);

} // namespace ov
