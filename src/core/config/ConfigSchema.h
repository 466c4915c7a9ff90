#pragma once
#include "core/config/sys_Types.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

namespace ov {

enum class FieldWidth { Flag, U8, U16, I16, I32, Colour, Text };

// A default of one set: none (the field is left alone or the element is absent), a number,
// or one of the texts the environment supplies.
struct ConfigDefault {
    enum class Kind { None, Number, Empty, PicturesFolder, ProgramFolder };
    Kind kind = Kind::None;
    std::int64_t number = 0;
};

using ConfigFieldRef = std::variant<std::uint8_t zvOVConfigInfo::*, std::uint16_t zvOVConfigInfo::*,
                                    std::int16_t zvOVConfigInfo::*, std::int32_t zvOVConfigInfo::*,
                                    std::int64_t zvOVConfigInfo::*, QString zvOVConfigInfo::*>;

struct ConfigField {
    std::string_view name;
    std::string_view element;   // path below the root, e.g. "general/ovCWZUM"
    std::string_view attribute; // e.g. "offon"
    FieldWidth width;
    ConfigFieldRef ref;
    ConfigDefault reader;
    ConfigDefault firstRun;
    ConfigDefault reset;
};

enum class DefaultSet { Reader, FirstRun, Reset };

// Everything the defaults need from outside the record.
struct DefaultContext {
    QString picturesFolder; // DefaultScreenshotFolder()
    QString programFolder;  // the program's folder, ending with "/"
};

namespace schema_detail {

using K = ConfigDefault::Kind;
constexpr ConfigDefault N(std::int64_t v) {
    return {K::Number, v};
}
constexpr ConfigDefault kNone{K::None, 0};
constexpr ConfigDefault kEmpty{K::Empty, 0};
constexpr ConfigDefault kPictures{K::PicturesFolder, 0};
constexpr ConfigDefault kProgram{K::ProgramFolder, 0};

using C = zvOVConfigInfo;
using W = FieldWidth;

// name, element, attribute, width, field, reader default, first-run value, reset value
inline constexpr std::array<ConfigField, 46> kConfigFieldTable{{
    {"ovCWZUM", "general/ovCWZUM", "offon", W::Flag, &C::ovCWZUM, N(1), N(1), N(1)},
    {"ovFullScreenWhenPlayStarted", "general/ovFullScreenWhenPlayStarted", "offon", W::Flag,
     &C::ovFullScreenWhenPlayStarted, N(0), N(0), N(0)},
    {"ovBeginPlaying", "general/ovBeginPlaying", "offon", W::Flag, &C::ovBeginPlaying, N(1), N(1),
     N(1)},
    {"ovSeekToLastStop", "general/ovSeekToLastStop", "offon", W::Flag, &C::ovSeekToLastStop, N(1),
     N(0), N(0)},
    {"ovRmbLastMovie", "general/ovRmbLastMovie", "offon", W::Flag, &C::ovRmbLastMovie, N(0), N(1),
     N(0)},
    {"ovDisableSS", "general/ovDisableSS", "offon", W::Flag, &C::ovDisableSS, N(1), N(1), N(1)},
    {"mscAllowMultipleInst", "general/mscAllowMultipleInst", "offon", W::Flag,
     &C::mscAllowMultipleInst, N(0), N(0), N(0)},
    {"mscRvrsPbTime", "general/mscRvrsPbTime", "offon", W::Flag, &C::mscRvrsPbTime, N(0), N(0),
     N(0)},
    {"mscPauseWhenMinimized", "general/mscPauseWhenMinimized", "offon", W::Flag,
     &C::mscPauseWhenMinimized, N(1), N(1), N(1)},
    {"mscAutoPPWhenInActive", "general/mscAutoPPWhenInActive", "offon", W::Flag,
     &C::mscAutoPPWhenInActive, N(0), N(0), N(0)},
    {"mscRewindPBOnFinish", "general/mscRewindPBOnFinish", "offon", W::Flag,
     &C::mscRewindPBOnFinish, N(1), N(1), N(1)},
    {"pBackground_color", "general/pBackground_color", "colorId", W::Colour, &C::pBackground_color,
     N(0), N(0), kNone},
    {"pFont_color", "general/pFont_color", "colorId", W::Colour, &C::pFont_color, N(9), N(9),
     kNone},
    {"pFontSize", "general/pFontSize", "size", W::U8, &C::pFontSize, N(2), N(2), kNone},
    {"pShowNumbers", "general/pShowNumbers", "offon", W::Flag, &C::pShowNumbers, N(1), N(1), N(1)},
    {"pShowDuration", "general/pShowDuration", "offon", W::Flag, &C::pShowDuration, N(1), N(0),
     N(0)},
    {"pIfEnd", "general/pIfEnd", "action", W::U16, &C::pIfEnd, N(0), N(0), N(0)},
    {"pShuffle", "general/pShuffle", "offon", W::Flag, &C::pShuffle, N(0), N(0), kNone},
    {"mLBtn", "general/mLBtn", "action", W::U16, &C::mLBtn, N(0), N(0), N(1)},
    {"mLDblBtn", "general/mLDblBtn", "action", W::U16, &C::mLDblBtn, N(1), N(1), N(0)},
    {"mMdlBtn", "general/mMdlBtn", "action", W::U16, &C::mMdlBtn, N(2), N(2), N(0)},
    {"mRoll", "general/mRoll", "action", W::U16, &C::mRoll, N(0), N(0), N(0)},
    {"mRollDirection", "general/mRollDirection", "action", W::Flag, &C::mRollDirection, N(0), N(0),
     kNone},
    // The first-run file has no mRBtn element, so the reader default applies until saved.
    {"mRBtn", "general/mRBtn", "action", W::U16, &C::mRBtn, N(2), kNone, N(1)},
    {"msHideSecs", "general/msHideSecs", "count", W::U8, &C::msHideSecs, N(2), N(2), N(2)},
    {"capDontShowInFSMode", "general/capDontShowInFSMode", "offon", W::Flag,
     &C::capDontShowInFSMode, N(0), N(0), kNone},
    {"capShowInWndMode", "general/capShowInWndMode", "offon", W::Flag, &C::capShowInWndMode, N(1),
     N(1), kNone},
    {"vSkng", "general/vSkng", "how_much", W::U16, &C::vSkng, N(5), N(5), N(3)},
    {"vSkngStep", "general/vSkngStep", "how_much", W::U16, &C::vSkngStep, N(30), N(30), N(30)},
    {"playlistIsClosed", "autosave/playlist", "isclosed", W::Flag, &C::playlistIsClosed, N(1), N(1),
     kNone},
    {"volume", "autosave/volume", "level", W::U16, &C::volume, N(5000), N(5000), kNone},
    {"asPlaylistWidth", "autosave/asPlaylistWidth", "width", W::I32, &C::asPlaylistWidth, N(107),
     N(107), kNone},
    {"latestMovie", "autosave/latest_movie", "name", W::Text, &C::latestMovie, kEmpty, kEmpty,
     kNone},
    {"RmbPlaylist", "autosave/RmbPlaylist", "offon", W::Flag, &C::RmbPlaylist, N(0), N(0), N(0)},
    {"RmbWndState", "autosave/RmbWndState", "offon", W::Flag, &C::RmbWndState, N(0), N(0), N(0)},
    // The window bounds have no reader default and no first-run value.
    {"wndWidth", "autosave/WindowState", "width", W::I16, &C::wndWidth, kNone, kNone, kNone},
    {"wndHeight", "autosave/WindowState", "height", W::I16, &C::wndHeight, kNone, kNone, kNone},
    {"wndPosX", "autosave/WindowState", "posX", W::I16, &C::wndPosX, kNone, kNone, kNone},
    {"wndPosY", "autosave/WindowState", "posY", W::I16, &C::wndPosY, kNone, kNone, kNone},
    {"dvdAutorun", "fileassoc/dvdAutorun", "offon", W::Flag, &C::dvdAutorun, N(0), N(0), N(1)},
    {"ovLang", "general/ovLang", "lngId", W::U16, &C::ovLang, N(0), N(0), kNone},
    // Written empty on the first run, so the pictures folder applies when read.
    {"scrFolder", "general/scrFolder", "folder", W::Text, &C::scrFolder, kPictures, kEmpty,
     kPictures},
    // The first run writes bright green, which reads well on the black text panel (the reader
    // default 11 is a near-black red).
    {"olTextColor", "general/olTextColor", "colorId", W::Colour, &C::olTextColor, N(11), N(0x00FF00),
     kNone},
    {"olTextSize", "general/olTextSize", "size", W::U8, &C::olTextSize, N(8), N(8), kNone},
    {"installedDir", "general/installedDir", "here", W::Text, &C::installedDir, kProgram, kProgram,
     kNone},
    {"wasClosedInFullScreen", "general/wasClosedInFullScreen", "yesornot", W::Flag,
     &C::wasClosedInFullScreen, N(0), N(0), kNone},
}};

} // namespace schema_detail

// The stored fields in record order; the derived millisecond copies are not stored. Every
// order over them (reading pass, first-run file, dialog save) refers into this one table.
inline constexpr const std::array<ConfigField, 46>& kConfigFields =
    schema_detail::kConfigFieldTable;

const ConfigField* FindConfigField(std::string_view name);

// The field of that name, found when compiled: an unknown name does not build.
consteval const ConfigField* ConfigFieldNamed(std::string_view name) {
    for (const ConfigField& field : kConfigFields)
        if (field.name == name) return &field;
    throw "no configuration field of this name";
}

// Stores a number in the field, cut to the field's width as the record holds it.
void StoreNumber(zvOVConfigInfo& config, const ConfigField& field, std::int64_t value);
// Reads a numeric field widened back to 64 bits (unsigned fields stay non-negative).
std::int64_t LoadNumber(const zvOVConfigInfo& config, const ConfigField& field);

// Gives every field the default of the set; fields whose default is none are left alone.
void ApplyDefaults(zvOVConfigInfo& config, DefaultSet set, const DefaultContext& context);
// The seconds value's millisecond copy: its decimal text followed by "000", in 16 bits.
std::uint16_t SecondsToMsCopy(std::uint16_t seconds);
// Fills vSkngMs and vSkngStepMs.
void DeriveMsCopies(zvOVConfigInfo& config);

} // namespace ov
