#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

namespace ov {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Bounds&) const = default;
};

// Colours as RGB numbers with red in the lowest byte.
inline constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

struct OverlayFont {
    QString family;
    int height = 0;
    int width = 0;
    int weight = 0;
    bool antialiased = false;
    bool operator==(const OverlayFont&) const = default;
};

// Heights of the title panel and the control panel.
inline constexpr int kTitlePanelHeight = 25;
inline constexpr int kControlPanelHeight = 82;

// The on-screen text panel across the top of the video.
struct OverlayPanel {
    QString text;
    int points = 0;           // font size in points; 0 until a text sets it
    std::uint32_t color = 0;  // RGB, red lowest
    std::uint32_t background = 0;
    bool operator==(const OverlayPanel&) const = default;
};

// The playlist list box: its item texts (file names) and its selection.
struct PlaylistBox {
    QStringList items;
    int ItemIndex = -1;
    int Count() const { return static_cast<int>(items.size()); }
    // Exact-match search that ignores letter case; -1 when absent.
    int IndexOf(const QString& name) const {
        for (int i = 0; i < items.size(); ++i)
            if (items[i].compare(name, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }
};

// Everything the main window shows, as the core computed it. The view renders it and decides
// nothing of its own.
struct MainWindowModel {
    QString titleCaption; // Panel1
    bool titleBold = false;
    QString playCaption = QStringLiteral(">");
    int soundLevel = 0; // zvSoundLevel, 0..10000
    QString elapsedText = QStringLiteral("00:00:00");
    QString totalText = QStringLiteral("00:00:00");
    QString timeLineText;
    bool closeButtonEnabled = true;
    bool logoVisible = false; // Image1
    bool playlistVisible = false;
    int playlistWidth = 107;
    int minWidth = 0;
    int minHeight = 0;
    Bounds bounds{0, 0, 689, 426};
    // Counts the core's placements: the view applies bounds when this changes, so a window the
    // user moved is placed again even at the same bounds.
    int boundsSerial = 0;
    bool maximized = false;  // full-screen mode: the borderless window covers the screen
    bool stayOnTop = false;
    bool topPanelVisible = true;
    bool bottomPanelVisible = true;
    bool videoCursorHand = false; // over a DVD menu button
    int hintPauseMs = 500;
    int hintHidePauseMs = 2500;
    OverlayFont overlayFont;
    OverlayPanel overlay;
    PlaylistBox playlist;
    bool playlistNextEnabled = true; // ">"
    bool playlistPrevEnabled = true; // "<"
};

} // namespace ov
