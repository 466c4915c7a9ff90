#pragma once
#include <QString>
#include <functional>

namespace ov {

class SystemInfo;

// The product's name and release tag, as the about box, the tray and the error report show them.
QString ProductName();
QString ReleaseTag();

// The about box's title: "Orvane Player v1.0 (build 211), RC 1".
QString AboutCaption(SystemInfo& system);

// Opens a new about box with the given title and waits until it is closed; the box frees
// itself afterwards.
using ShowAboutBox = std::function<void(const QString& caption)>;

// The action ui_About and the "?" button. Nothing is shown when the view gave no way to.
void ShowAbout(SystemInfo& system, const ShowAboutBox& show);

} // namespace ov
