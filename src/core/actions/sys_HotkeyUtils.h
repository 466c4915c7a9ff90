#pragma once
#include "core/actions/sys_ActionsUtils.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace ov {

// The modifier keys that are part of a binding; no other keyboard or mouse state is.
struct TShiftState {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    friend bool operator==(const TShiftState&, const TShiftState&) = default;
};

// One binding.
struct TKeyItem {
    ActionHandler Action;
    std::uint16_t Key = 0; // Windows virtual-key code, as stored files hold it
    TShiftState Shift;
};

// The hotkey table: bindings in insertion order. Several bindings may share a key; the first
// one added wins.
struct TKeys {
    std::int16_t Count = 0;
    std::vector<TKeyItem> Items;
};

// The stored modifier value: 1 Ctrl + 2 Shift + 4 Alt.
int ModifiersToFlags(TShiftState shift);
// Tests bits 1, 2 and 4 of the stored value and ignores the others.
TShiftState FlagsToModifiers(int flags);

void ClearHotkeys(TKeys& keys);
// Appends one binding; the empty handler adds nothing. Logs either way.
void AddHotkey(TKeys& keys, std::uint16_t key, TShiftState shift, ActionHandler action);
// One binding as read from a file: texts that are not integers add nothing and log nothing.
void AddKey(TKeys& keys, const QString& action, const QString& key, const QString& shift);
// The first binding with this key and exactly these modifiers; null when none.
const TKeyItem* FindHotkey(const TKeys& keys, std::uint16_t key, TShiftState shift);

// "Ctrl+Shift+Alt+" in that order, then the key's name; empty for the modifier keys alone.
QString KeyToText(std::uint16_t key, TShiftState shift);

// A tag of an XML document as written: a start tag, an empty-element tag or an end tag.
struct XmlTag {
    enum class Kind { Start, Empty, End };
    Kind kind = Kind::Start;
    QString name;
    QList<QPair<QString, QString>> attributes;             // in document order, entities decoded
    QString Attribute(const QString& attributeName) const; // empty when missing
};
// The tags of a document in order, up to the first point where it stops being well formed.
std::vector<XmlTag> ReadXmlTags(const QByteArray& document);

// Reads the profile's bindings from folder + fileName; true when the profile's end tag was seen.
// Only empty-element "hotkey" tags inside the profile count; names are matched ignoring case.
bool LoadKeysFromXML(TKeys& keys, const QString& folder, const QString& fileName,
                     const QString& profile);

// The bindings a fresh configuration file receives, in order.
struct DefaultHotkey {
    ActionOp action;
    std::uint16_t key;
    int shift; // stored modifier value
};
extern const std::array<DefaultHotkey, 25> kDefaultHotkeys;

} // namespace ov
