#pragma once
// Fakes of the small ports: power, clipboard, tray, removable media, frame grab, media facts.
#include "ports/Clipboard.h"
#include "ports/FrameGrabber.h"
#include "ports/MediaInfoReader.h"
#include "ports/Power.h"
#include "ports/Tray.h"
#include "ports/VolumeMonitor.h"

#include <QList>
#include <QMap>
#include <QStringList>

namespace ov::test {

// Never powers anything off: it only counts the requests.
class FakePower : public Power {
public:
    bool RequestShutdownPrivilege() override {
        ++privilegeRequests;
        return privilegeGranted;
    }
    bool PowerOff() override {
        ++powerOffRequests;
        return powerOffAccepted;
    }
    int privilegeRequests = 0;
    int powerOffRequests = 0;
    bool privilegeGranted = true;
    bool powerOffAccepted = true;
};

class FakeClipboard : public Clipboard {
public:
    void SetText(const QString& t) override { text = t; }
    void SetImage(const Frame& f) override { image = f; }
    QString text;
    Frame image;
};

class FakeTray : public Tray {
public:
    void SetVisible(bool v) override { visible = v; }
    bool Visible() const override { return visible; }
    void SetHint(const QString& h) override { hint = h; }
    void ShowBalloon(const QString& title, const QString& text, BalloonIcon icon,
                     int timeoutMs) override {
        balloons << title + "|" + text;
        lastBalloonIcon = icon;
        lastBalloonTimeoutMs = timeoutMs;
    }
    bool MainWindowHidden() const override { return windowHidden; }
    void HideMainWindow() override {
        windowHidden = true;
        windowCalls << "Hide";
    }
    void RestoreMainWindow() override {
        windowHidden = false;
        windowCalls << "Restore";
    }
    bool visible = false;
    QString hint;
    QStringList balloons; // "title|text"
    BalloonIcon lastBalloonIcon = BalloonIcon::None;
    int lastBalloonTimeoutMs = -1;
    bool windowHidden = false;
    QStringList windowCalls;
};

class FakeVolumeMonitor : public VolumeMonitor {
public:
    void Start() override { started = true; }
    void Arrive(const QString& root) {
        if (OnArrival) OnArrival(root);
    }
    void Remove(const QString& root) {
        if (OnRemoval) OnRemoval(root);
    }
    bool started = false;
};

class FakeFrameGrabber : public FrameGrabber {
public:
    Frame GrabFrame(const QString& path, double seconds, int width, int height) override {
        calls << QStringLiteral("%1@%2 %3x%4").arg(path).arg(seconds).arg(width).arg(height);
        return frame;
    }
    Frame frame;
    QStringList calls;
};

class FakeMediaInfoReader : public MediaInfoReader {
public:
    MediaFacts Analyze(const QString& path) override {
        analyzed << path;
        return facts.value(path);
    }
    QMap<QString, MediaFacts> facts;
    QStringList analyzed;
};

} // namespace ov::test
