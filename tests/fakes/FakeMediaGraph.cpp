#include "fakes/FakeMediaGraph.h"

#include <algorithm>

namespace ov::test {

namespace {
QString Bool(bool b) {
    return b ? QStringLiteral("true") : QStringLiteral("false");
}
QString Point(VideoPoint p) {
    return QStringLiteral("%1,%2").arg(p.x).arg(p.y);
}
} // namespace

QString ToString(GraphMode mode) {
    switch (mode) {
    case GraphMode::gmNormal:
        return QStringLiteral("gmNormal");
    case GraphMode::gmCapture:
        return QStringLiteral("gmCapture");
    case GraphMode::gmDVD:
        return QStringLiteral("gmDVD");
    }
    return QStringLiteral("?");
}

QString ToString(SeekingFlags flags) {
    return flags == SeekingFlags::AM_SEEKING_AbsolutePositioning ? QStringLiteral("Absolute")
                                                                 : QStringLiteral("None");
}

QString ToString(DvdMenuId menu) {
    switch (menu) {
    case DvdMenuId::Title:
        return QStringLiteral("Title");
    case DvdMenuId::Root:
        return QStringLiteral("Root");
    case DvdMenuId::Subpicture:
        return QStringLiteral("Subpicture");
    case DvdMenuId::Audio:
        return QStringLiteral("Audio");
    case DvdMenuId::Angle:
        return QStringLiteral("Angle");
    case DvdMenuId::Chapter:
        return QStringLiteral("Chapter");
    }
    return QStringLiteral("?");
}

QString ToString(DvdOption option) {
    switch (option) {
    case DvdOption::ResetOnStop:
        return QStringLiteral("ResetOnStop");
    case DvdOption::NotifyParentalLevelChange:
        return QStringLiteral("NotifyParentalLevelChange");
    case DvdOption::HMSFTimeCodeEvents:
        return QStringLiteral("HMSFTimeCodeEvents");
    }
    return QStringLiteral("?");
}

// --- FakeMediaSeeking ---

HResult FakeMediaSeeking::GetCurrentPosition(RefTime& position) {
    position = currentPosition;
    return getResult;
}

HResult FakeMediaSeeking::GetStopPosition(RefTime& position) {
    position = stopPosition;
    return getResult;
}

HResult FakeMediaSeeking::GetDuration(RefTime& d) {
    d = duration;
    return getResult;
}

HResult FakeMediaSeeking::SetPositions(RefTime current, SeekingFlags currentFlags, RefTime stop,
                                       SeekingFlags stopFlags) {
    graph_.calls << QStringLiteral("SetPositions(%1,%2,%3,%4)")
                        .arg(current)
                        .arg(ToString(currentFlags))
                        .arg(stop)
                        .arg(ToString(stopFlags));
    if (setPositionsResult >= 0) {
        if (currentFlags == SeekingFlags::AM_SEEKING_AbsolutePositioning) currentPosition = current;
        if (stopFlags == SeekingFlags::AM_SEEKING_AbsolutePositioning) stopPosition = stop;
    }
    return setPositionsResult;
}

HResult FakeMediaSeeking::SetRate(double rate) {
    graph_.calls << QStringLiteral("Seeking.SetRate(%1)").arg(rate);
    return setRateResult;
}

// --- FakeDvd ---

HResult FakeDvd::Record(const QString& call) {
    graph_.calls << call;
    return result;
}

HResult FakeDvd::SetOption(DvdOption option, bool on) {
    return Record(QStringLiteral("Dvd.SetOption(%1,%2)").arg(ToString(option), Bool(on)));
}
HResult FakeDvd::ShowMenu(DvdMenuId menu) {
    return Record(QStringLiteral("Dvd.ShowMenu(%1)").arg(ToString(menu)));
}
HResult FakeDvd::PlayNextChapter() {
    return Record(QStringLiteral("Dvd.PlayNextChapter"));
}
HResult FakeDvd::PlayPrevChapter() {
    return Record(QStringLiteral("Dvd.PlayPrevChapter"));
}
HResult FakeDvd::ActivateAtPosition(VideoPoint point) {
    return Record(QStringLiteral("Dvd.ActivateAtPosition(%1)").arg(Point(point)));
}
HResult FakeDvd::ButtonActivate() {
    return Record(QStringLiteral("Dvd.ButtonActivate"));
}
HResult FakeDvd::UpperButtonSelect() {
    return Record(QStringLiteral("Dvd.UpperButtonSelect"));
}
HResult FakeDvd::LowerButtonSelect() {
    return Record(QStringLiteral("Dvd.LowerButtonSelect"));
}
HResult FakeDvd::LeftButtonSelect() {
    return Record(QStringLiteral("Dvd.LeftButtonSelect"));
}
HResult FakeDvd::RightButtonSelect() {
    return Record(QStringLiteral("Dvd.RightButtonSelect"));
}
HResult FakeDvd::MouseSelect(VideoPoint point) {
    return Record(QStringLiteral("Dvd.MouseSelect(%1)").arg(Point(point)));
}
HResult FakeDvd::GetButtonAtPosition(VideoPoint point, unsigned& button) {
    graph_.calls << QStringLiteral("Dvd.GetButtonAtPosition(%1)").arg(Point(point));
    button = buttonAtPosition;
    return buttonAtPosition == 0 ? E_FAIL : result;
}

// --- FakeMediaGraph ---

FakeMediaGraph::FakeMediaGraph() : seeking(*this), dvd(*this) {}

void FakeMediaGraph::SetMode(GraphMode m) {
    calls << QStringLiteral("SetMode(%1)").arg(ToString(m));
    mode = m;
}

void FakeMediaGraph::SetActive(bool a) {
    calls << QStringLiteral("SetActive(%1)").arg(Bool(a));
    active = a;
}

void FakeMediaGraph::ClearGraph() {
    calls << QStringLiteral("ClearGraph");
}

HResult FakeMediaGraph::RenderFile(const QString& path) {
    calls << QStringLiteral("RenderFile(%1)").arg(path);
    return renderResult;
}

DvdRenderStatus FakeMediaGraph::RenderDvd(const QString& ifoPath, int flags) {
    calls << QStringLiteral("RenderDvd(%1,%2)").arg(ifoPath).arg(flags);
    return renderDvdResult;
}

HResult FakeMediaGraph::Play() {
    calls << QStringLiteral("Play");
    return playResult;
}

HResult FakeMediaGraph::Pause() {
    calls << QStringLiteral("Pause");
    return pauseResult;
}

HResult FakeMediaGraph::Stop() {
    calls << QStringLiteral("Stop");
    return stopResult;
}

void FakeMediaGraph::SetVolume(int v) {
    calls << QStringLiteral("SetVolume(%1)").arg(v);
    volume = std::clamp(v, 0, 10000);
}

void FakeMediaGraph::SetBalance(int b) {
    calls << QStringLiteral("SetBalance(%1)").arg(b);
    balance = std::clamp(b, -10000, 10000);
}

void FakeMediaGraph::SetRate(double r) {
    calls << QStringLiteral("SetRate(%1)").arg(r);
    rate = r;
}

std::int32_t FakeMediaGraph::Duration() {
    return duration;
}

MediaSeeking* FakeMediaGraph::QuerySeeking() {
    return seekingAvailable ? &seeking : nullptr;
}
DvdControl* FakeMediaGraph::QueryDvdControl() {
    return dvdAvailable ? &dvd : nullptr;
}
DvdInfo* FakeMediaGraph::QueryDvdInfo() {
    return dvdAvailable ? &dvd : nullptr;
}

void FakeMediaGraph::RaiseGraphComplete() {
    if (events.OnGraphComplete) events.OnGraphComplete();
}

void FakeMediaGraph::RaiseDvdTitleChange(int title) {
    if (events.OnDVDTitleChange) events.OnDVDTitleChange(title);
}

void FakeMediaGraph::RaiseDvdChapterStart(int chapter) {
    if (events.OnDVDChapterStart) events.OnDVDChapterStart(chapter);
}

int FakeMediaGraph::CountCalls(const QString& prefix) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [&](const QString& c) { return c.startsWith(prefix); }));
}

} // namespace ov::test
