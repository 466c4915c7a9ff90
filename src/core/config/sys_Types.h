#pragma once
#include <QString>
#include <cstdint>

namespace ov {

// The configuration in memory; each field is named after its element in OV.xml.
// Flags are bytes holding 0 or 1; colours hold a sign-extended 32-bit RGB number.
struct zvOVConfigInfo {
    std::uint8_t ovCWZUM = 0;
    std::uint8_t ovFullScreenWhenPlayStarted = 0;
    std::uint8_t ovBeginPlaying = 0;
    std::uint8_t ovSeekToLastStop = 0;
    std::uint8_t ovRmbLastMovie = 0;
    std::uint8_t ovDisableSS = 0;
    std::uint8_t mscAllowMultipleInst = 0;
    std::uint8_t mscRvrsPbTime = 0;
    std::uint8_t mscPauseWhenMinimized = 0;
    std::uint8_t mscAutoPPWhenInActive = 0;
    std::uint8_t mscRewindPBOnFinish = 0;
    std::int64_t pBackground_color = 0;
    std::int64_t pFont_color = 0;
    std::uint8_t pFontSize = 0;
    std::uint8_t pShowNumbers = 0;
    std::uint8_t pShowDuration = 0;
    std::uint16_t pIfEnd = 0;
    std::uint8_t pShuffle = 0;
    std::uint16_t mLBtn = 0;
    std::uint16_t mLDblBtn = 0;
    std::uint16_t mMdlBtn = 0;
    std::uint16_t mRoll = 0;
    std::uint8_t mRollDirection = 0;
    std::uint16_t mRBtn = 0;
    std::uint8_t msHideSecs = 0;
    std::uint8_t capDontShowInFSMode = 0;
    std::uint8_t capShowInWndMode = 0;
    std::uint16_t vSkng = 0;
    std::uint16_t vSkngMs = 0;
    std::uint16_t vSkngStep = 0;
    std::uint16_t vSkngStepMs = 0;
    std::uint8_t playlistIsClosed = 0;
    std::uint16_t volume = 0;
    std::int32_t asPlaylistWidth = 0;
    QString latestMovie;
    std::uint8_t RmbPlaylist = 0;
    std::uint8_t RmbWndState = 0;
    std::int16_t wndWidth = 0;
    std::int16_t wndHeight = 0;
    std::int16_t wndPosX = 0;
    std::int16_t wndPosY = 0;
    std::uint8_t dvdAutorun = 0;
    std::uint16_t ovLang = 0;
    QString scrFolder;
    std::int64_t olTextColor = 0;
    std::uint8_t olTextSize = 0;
    QString installedDir;
    std::uint8_t wasClosedInFullScreen = 0;

    // Whether the window bounds above were read from a saved state; without them the window
    // is placed as if none were remembered.
    bool hasWindowBounds = false;
};

// Playlist text size in points for the stored index.
int PlaylistFontPoints(std::uint8_t pFontSize);
// On-video text size in points for the stored index.
int OverlayFontPoints(std::uint8_t olTextSize);

} // namespace ov
