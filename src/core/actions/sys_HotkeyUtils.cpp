#include "core/actions/sys_HotkeyUtils.h"

#include "core/config/ovConfig.h"
#include "core/system/cl_debugLog.h"

#include <QFile>
#include <limits>

namespace ov {

using A = ActionOp;

const std::array<DefaultHotkey, 25> kDefaultHotkeys{{
    {A::ui_ExitApp, 27, 0},        {A::ui_ShowVideoInfo, 73, 0},  {A::ui_hidePanels, 192, 0},
    {A::ui_MinimizeApp, 35, 0},    {A::ui_OpenMedia1, 79, 0},     {A::ui_OpenMedia, 32, 0},
    {A::ui_ShowOVOptions, 121, 0}, {A::ui_ShowPlaylist, 80, 0},   {A::ar_SetFullScreen, 49, 0},
    {A::ar_SetXY, 50, 0},          {A::ar_SetWideScreen, 51, 0},  {A::pb_CloseMedia, 86, 0},
    {A::pb_StopMedia, 83, 0},      {A::pl_nextInPlaylist, 66, 0}, {A::pl_removeFromPlaylist, 46, 0},
    {A::skng_FrameBack, 37, 1},    {A::skng_FrameFwd, 39, 1},     {A::skng_StepBack, 37, 2},
    {A::skng_StepFwd, 39, 2},      {A::skng_SeekBack, 37, 0},     {A::skng_SeekFwd, 39, 0},
    {A::snd_VolumeDown, 40, 0},    {A::snd_VolumeUp, 38, 0},      {A::snd_SetMute, 77, 0},
    {A::dm_SetFullscreen, 13, 0},
}};

namespace {

struct KeyNameEntry {
    std::uint16_t code;
    const char* name;
};

// Named keys; digits, letters, the keypad digits and F1-F24 are computed.
constexpr KeyNameEntry kKeyNames[] = {
    {8, "Backspace"},  {9, "Tab"},   {12, "5"},     {13, "Enter"},     {19, "Pause"},
    {20, "Caps Lock"}, {27, "Esc"},  {32, "Space"}, {33, "Page Up"},   {34, "Page Down"},
    {35, "End"},       {36, "Home"}, {37, "Left"},  {38, "Up"},        {39, "Right"},
    {40, "Down"},      {45, "Ins"},  {46, "Del"},   {106, "*"},        {107, "+"},
    {109, "-"},        {110, "."},   {111, "/"},    {144, "Num Lock"}, {145, "Scroll Lock"},
    {186, ";"},        {187, "+"},   {188, ","},    {189, "-"},        {190, "."},
    {191, "/"},        {192, "~"},   {219, "["},    {220, "\\"},       {221, "]"},
    {222, "'"},
};

QString KeyName(std::uint16_t key) {
    if (key == 0 || (key >= 16 && key <= 18)) return {};
    if (key >= 48 && key <= 57) return QString(QChar('0' + (key - 48)));
    if (key >= 65 && key <= 90) return QString(QChar('A' + (key - 65)));
    if (key >= 96 && key <= 105) return QStringLiteral("Num %1").arg(key - 96);
    if (key >= 112 && key <= 135) return QStringLiteral("F%1").arg(key - 111);
    for (const auto& entry : kKeyNames)
        if (entry.code == key) return QString::fromLatin1(entry.name);
    return QStringLiteral("#%1").arg(key);
}

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void LogAddHotkey(const QString& prefix, std::uint16_t key, TShiftState shift,
                  ActionHandler action) {
    DebugLog(prefix + Quoted(ActionToStringEx(action)) + ", K: " + Quoted(QString::number(key)) +
             "(" + KeyToText(key, shift) +
             "), S: " + Quoted(QString::number(ModifiersToFlags(shift))));
}

} // namespace

int ModifiersToFlags(TShiftState shift) {
    return (shift.ctrl ? 1 : 0) | (shift.shift ? 2 : 0) | (shift.alt ? 4 : 0);
}

TShiftState FlagsToModifiers(int flags) {
    return {(flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0};
}

void ClearHotkeys(TKeys& keys) {
    DebugLog("Cleaning hotkeys...");
    keys.Items.clear();
    keys.Count = 0;
}

void AddHotkey(TKeys& keys, std::uint16_t key, TShiftState shift, ActionHandler action) {
    // The count is 16 bits wide; a full table refuses more rather than wrapping.
    if (action.IsEmpty() || keys.Count == std::numeric_limits<std::int16_t>::max()) {
        LogAddHotkey("... FAIL for A: ", key, shift, action);
        return;
    }
    keys.Items.push_back({action, key, shift});
    keys.Count = static_cast<std::int16_t>(keys.Items.size());
    LogAddHotkey("... success for A: ", key, shift, action);
}

void AddKey(TKeys& keys, const QString& action, const QString& key, const QString& shift) {
    bool shiftOk = false;
    bool keyOk = false;
    const int flags = shift.toInt(&shiftOk);
    const int code = key.toInt(&keyOk);
    if (!shiftOk || !keyOk) return;
    const TShiftState modifiers = FlagsToModifiers(flags);
    const auto keyCode = static_cast<std::uint16_t>(code);
    DebugLog("Procedure AddKey: (a: " + action + ", k: " + key + "(" +
             KeyToText(keyCode, modifiers) + "), s: " + shift + ")");
    AddHotkey(keys, keyCode, modifiers, ActionFromString(action));
}

const TKeyItem* FindHotkey(const TKeys& keys, std::uint16_t key, TShiftState shift) {
    for (const TKeyItem& item : keys.Items)
        if (item.Key == key && item.Shift == shift) return &item;
    return nullptr;
}

QString KeyToText(std::uint16_t key, TShiftState shift) {
    if (key >= 16 && key <= 18) return {};
    QString text;
    if (shift.ctrl) text += "Ctrl+";
    if (shift.shift) text += "Shift+";
    if (shift.alt) text += "Alt+";
    return (text + KeyName(key)).trimmed();
}

// ---- The tag reader ----

QString XmlTag::Attribute(const QString& attributeName) const {
    for (const auto& [attrName, value] : attributes)
        if (attrName.compare(attributeName, Qt::CaseInsensitive) == 0) return value;
    return {};
}

namespace {

QString DecodeEntities(const QString& raw) {
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == '\t' || c == '\n' || c == '\r') {
            // Attribute values normalise white space, as every XML reader does.
            if (!(c == '\n' && i > 0 && raw[i - 1] == '\r')) out += ' ';
            continue;
        }
        if (c != '&') {
            out += c;
            continue;
        }
        const qsizetype end = raw.indexOf(';', i);
        if (end < 0) {
            out += c;
            continue;
        }
        const QString entity = raw.mid(i + 1, end - i - 1);
        QString replacement;
        if (entity == "lt")
            replacement = "<";
        else if (entity == "gt")
            replacement = ">";
        else if (entity == "amp")
            replacement = "&";
        else if (entity == "quot")
            replacement = "\"";
        else if (entity == "apos")
            replacement = "'";
        else if (entity.startsWith('#')) {
            bool ok = false;
            const uint code = entity.startsWith("#x") ? entity.mid(2).toUInt(&ok, 16)
                                                      : entity.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF) {
                const char32_t ch = code;
                replacement = QString::fromUcs4(&ch, 1);
            }
        }
        if (replacement.isNull()) {
            out += c;
            continue;
        }
        out += replacement;
        i = end;
    }
    return out;
}

bool IsSpace(QChar c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class TagReader {
public:
    explicit TagReader(QString text) : s_(std::move(text)) {}

    std::vector<XmlTag> ReadAll() {
        std::vector<XmlTag> tags;
        while (true) {
            const qsizetype open = s_.indexOf('<', pos_);
            if (open < 0) break;
            pos_ = open;
            if (Starts("<!--")) {
                if (!SkipPast("-->")) break;
            } else if (Starts("<![CDATA[")) {
                if (!SkipPast("]]>")) break;
            } else if (Starts("<?")) {
                if (!SkipPast("?>")) break;
            } else if (Starts("<!")) {
                if (!SkipDeclaration()) break;
            } else {
                XmlTag tag;
                if (!ReadTag(tag)) break;
                tags.push_back(std::move(tag));
            }
        }
        return tags;
    }

private:
    bool Starts(const char* text) const {
        return QStringView(s_).mid(pos_).startsWith(QLatin1String(text));
    }

    bool SkipPast(const char* end) {
        const qsizetype at = s_.indexOf(QLatin1String(end), pos_);
        if (at < 0) return false;
        pos_ = at + qsizetype(qstrlen(end));
        return true;
    }

    // <!DOCTYPE ...> with an optional internal subset in brackets.
    bool SkipDeclaration() {
        int depth = 0;
        QChar quote;
        for (qsizetype i = pos_ + 2; i < s_.size(); ++i) {
            const QChar c = s_[i];
            if (!quote.isNull()) {
                if (c == quote) quote = QChar();
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                --depth;
            } else if (c == '>' && depth <= 0) {
                pos_ = i + 1;
                return true;
            }
        }
        return false;
    }

    QString Name() {
        const qsizetype start = pos_;
        while (pos_ < s_.size() && !IsSpace(s_[pos_]) && s_[pos_] != '>' && s_[pos_] != '/' &&
               s_[pos_] != '=')
            ++pos_;
        return s_.mid(start, pos_ - start);
    }

    void SkipSpace() {
        while (pos_ < s_.size() && IsSpace(s_[pos_]))
            ++pos_;
    }

    bool ReadTag(XmlTag& tag) {
        ++pos_; // '<'
        const bool end = pos_ < s_.size() && s_[pos_] == '/';
        if (end) ++pos_;
        tag.name = Name();
        if (tag.name.isEmpty()) return false;
        if (end) {
            tag.kind = XmlTag::Kind::End;
            SkipSpace();
            if (pos_ >= s_.size() || s_[pos_] != '>') return false;
            ++pos_;
            return true;
        }
        while (true) {
            SkipSpace();
            if (pos_ >= s_.size()) return false;
            if (s_[pos_] == '>') {
                tag.kind = XmlTag::Kind::Start;
                ++pos_;
                return true;
            }
            if (s_[pos_] == '/') {
                if (pos_ + 1 >= s_.size() || s_[pos_ + 1] != '>') return false;
                tag.kind = XmlTag::Kind::Empty;
                pos_ += 2;
                return true;
            }
            const QString attribute = Name();
            if (attribute.isEmpty()) return false;
            SkipSpace();
            if (pos_ >= s_.size() || s_[pos_] != '=') return false;
            ++pos_;
            SkipSpace();
            if (pos_ >= s_.size() || (s_[pos_] != '"' && s_[pos_] != '\'')) return false;
            const QChar quote = s_[pos_++];
            const qsizetype close = s_.indexOf(quote, pos_);
            if (close < 0) return false;
            tag.attributes.append({attribute, DecodeEntities(s_.mid(pos_, close - pos_))});
            pos_ = close + 1;
        }
    }

    QString s_;
    qsizetype pos_ = 0;
};

} // namespace

std::vector<XmlTag> ReadXmlTags(const QByteArray& document) {
    return TagReader(DecodeXmlDocument(document)).ReadAll();
}

bool LoadKeysFromXML(TKeys& keys, const QString& folder, const QString& fileName,
                     const QString& profile) {
    DebugLog("Function: LoadKeysFromXML (" + fileName + ")");
    QByteArray bytes;
    QFile file(folder + fileName);
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    const QString wanted = profile.toLower();
    bool inside = false;
    bool reachedEnd = false;
    for (const XmlTag& tag : ReadXmlTags(bytes)) {
        const QString name = tag.name.toLower();
        if (tag.kind == XmlTag::Kind::Start && name == wanted) {
            inside = true;
        } else if (tag.kind == XmlTag::Kind::End && name == wanted) {
            reachedEnd = true;
            break;
        } else if (inside && tag.kind == XmlTag::Kind::Empty && name == "hotkey" &&
                   !tag.attributes.isEmpty()) {
            AddKey(keys, tag.Attribute("action"), tag.Attribute("key"), tag.Attribute("shift"));
        }
    }
    DebugLog("Function: LoadKeysFromXML... Success!");
    return reachedEnd;
}

} // namespace ov
