#include "core/actions/sys_HotkeyUtils.h"
#include "core/system/cl_debugLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ov;

namespace {

constexpr TShiftState kNone{};
constexpr TShiftState kCtrl{.ctrl = true};
constexpr TShiftState kShift{.shift = true};
constexpr TShiftState kAlt{.alt = true};
constexpr TShiftState kCtrlShift{.ctrl = true, .shift = true};
constexpr TShiftState kAll{.ctrl = true, .shift = true, .alt = true};

struct LogScope {
    LogScope() { SetLogSink(&log); }
    ~LogScope() { SetLogSink(nullptr); }
    RecordingLogSink log;
};

ActionHandler Named(const char* name) {
    return ActionFromString(name);
}

} // namespace

TEST(Hotkeys, KeyToText) {
    struct Case {
        std::uint16_t key;
        TShiftState shift;
        const char* text;
    } cases[] = {
        {37, kCtrlShift, "Ctrl+Shift+Left"},
        {37, kAll, "Ctrl+Shift+Alt+Left"},
        {65, kAlt, "Alt+A"},
        {17, kCtrl, ""},
        {16, kShift, ""},
        {18, kNone, ""},
        {0, kCtrl, "Ctrl+"},
        {0, kNone, ""},
        {255, kNone, "#255"},
        {10, kNone, "#10"},
        {47, kNone, "#47"},
        {108, kNone, "#108"},
        {136, kNone, "#136"},
        {12, kNone, "5"},
        {48, kNone, "0"},
        {57, kNone, "9"},
        {65, kNone, "A"},
        {90, kNone, "Z"},
        {96, kNone, "Num 0"},
        {105, kNone, "Num 9"},
        {112, kNone, "F1"},
        {121, kNone, "F10"},
        {135, kNone, "F24"},
        {8, kNone, "Backspace"},
        {9, kNone, "Tab"},
        {13, kNone, "Enter"},
        {19, kNone, "Pause"},
        {20, kNone, "Caps Lock"},
        {27, kNone, "Esc"},
        {32, kNone, "Space"},
        {33, kNone, "Page Up"},
        {34, kNone, "Page Down"},
        {35, kNone, "End"},
        {36, kNone, "Home"},
        {38, kNone, "Up"},
        {39, kNone, "Right"},
        {40, kNone, "Down"},
        {45, kNone, "Ins"},
        {46, kNone, "Del"},
        {106, kNone, "*"},
        {107, kNone, "+"},
        {109, kNone, "-"},
        {110, kNone, "."},
        {111, kNone, "/"},
        {144, kNone, "Num Lock"},
        {145, kNone, "Scroll Lock"},
        {186, kNone, ";"},
        {187, kNone, "+"},
        {188, kNone, ","},
        {189, kNone, "-"},
        {190, kNone, "."},
        {191, kNone, "/"},
        {192, kNone, "~"},
        {219, kNone, "["},
        {220, kNone, "\\"},
        {221, kNone, "]"},
        {222, kNone, "'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyToText(c.key, c.shift), c.text) << c.key;
}

TEST(Hotkeys, StoredModifierValue) {
    EXPECT_EQ(FlagsToModifiers(3), kCtrlShift);
    EXPECT_EQ(FlagsToModifiers(8), kNone) << "bits other than 1, 2 and 4 are ignored";
    EXPECT_EQ(FlagsToModifiers(-1), kAll);
    EXPECT_EQ(ModifiersToFlags({.ctrl = true, .alt = true}), 5);
    for (int flags = 0; flags < 8; ++flags)
        EXPECT_EQ(ModifiersToFlags(FlagsToModifiers(flags)), flags);
}

TEST(Hotkeys, AddKeyLogsAndSkips) {
    struct Case {
        const char* action;
        const char* key;
        const char* shift;
        bool added;
        QStringList log;
    } cases[] = {
        {"UI_EXITAPP",
         "27",
         "0",
         true,
         {"Procedure AddKey: (a: UI_EXITAPP, k: 27(Esc), s: 0)",
          R"(... success for A: "ui_ExitApp", K: "27"(Esc), S: "0")"}},
        {"pl_previnplaylist",
         "37",
         "3",
         true,
         {"Procedure AddKey: (a: pl_previnplaylist, k: 37(Ctrl+Shift+Left), s: 3)",
          R"(... success for A: "pl_prevInPlaylist", K: "37"(Ctrl+Shift+Left), S: "3")"}},
        {"no_such_action",
         "27",
         "1",
         false,
         {"Procedure AddKey: (a: no_such_action, k: 27(Ctrl+Esc), s: 1)",
          "*FAIL* ActionToStringEx: Action is NOT exist...",
          R"(... FAIL for A: "", K: "27"(Ctrl+Esc), S: "1")"}},
        {"ui_ExitApp", "27", "x", false, {}},
        {"ui_ExitApp", "", "0", false, {}},
        {"ui_ExitApp", "2.5", "0", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action + std::string(" ") + c.key + " " + c.shift);
        LogScope scope;
        TKeys keys;
        AddKey(keys, c.action, c.key, c.shift);
        EXPECT_EQ(keys.Count, c.added ? 1 : 0);
        EXPECT_EQ(keys.Items.size(), c.added ? 1u : 0u);
        EXPECT_EQ(scope.log.lines, c.log);
    }
}

TEST(Hotkeys, FirstBindingWinsAndModifiersMustMatch) {
    LogScope scope;
    TKeys keys;
    AddHotkey(keys, 37, kNone, Named("skng_SeekBack"));
    AddHotkey(keys, 37, kCtrl, Named("skng_FrameBack"));
    AddHotkey(keys, 37, kNone, Named("ui_ExitApp"));
    AddHotkey(keys, 38, kNone, ActionHandler());
    EXPECT_EQ(keys.Count, 3);
    EXPECT_EQ(FindHotkey(keys, 37, kNone)->Action, Named("skng_SeekBack"));
    EXPECT_EQ(FindHotkey(keys, 37, kCtrl)->Action, Named("skng_FrameBack"));
    EXPECT_EQ(FindHotkey(keys, 37, kCtrlShift), nullptr);
    EXPECT_EQ(FindHotkey(keys, 38, kNone), nullptr);
    ClearHotkeys(keys);
    EXPECT_EQ(keys.Count, 0);
    EXPECT_TRUE(keys.Items.empty());
    EXPECT_EQ(scope.log.lines.last(), "Cleaning hotkeys...");
}

TEST(Hotkeys, LoaderReadsOnlyTheProfilesEmptyHotkeyTags) {
    QTemporaryDir dir;
    QFile file(dir.filePath("keys.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<OV.Configuration>
  <hotkey action="ui_About" key="65" shift="0"/>
  <hotkeys>
    <Default>
      <hotkey action="ui_ExitApp" key="27" shift="0"/>
      <hotkey action="ui_About" key="66" shift="x"/>
      <hotkey action="ui_About" shift="0"/>
      <hotkey action="ui_About" key="67" shift="0"></hotkey>
      <!-- <hotkey action="ui_About" key="68" shift="0"/> -->
      <hotkey/>
      <HOTKEY Action='PL_PREVINPLAYLIST' KEY="69" shift="2" />
      <hotkey action="pl_prevInPlaylist" key="27" shift="0"/>
      <hotkey action="ui_about" key="70" shift="&#52;"/>
    </default>
  </hotkeys>
  <other><hotkey action="ui_About" key="71" shift="0"/></other>
</OV.Configuration>
)");
    file.close();

    LogScope scope;
    TKeys keys;
    EXPECT_TRUE(LoadKeysFromXML(keys, dir.path() + "/", "keys.xml", "default"));
    struct Expected {
        const char* action;
        std::uint16_t key;
        TShiftState shift;
    } expected[] = {
        {"ui_ExitApp", 27, kNone},
        {"pl_prevInPlaylist", 69, kShift},
        {"pl_prevInPlaylist", 27, kNone},
        {"ui_About", 70, kAlt},
    };
    ASSERT_EQ(keys.Count, std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(keys.Items[i].Action, Named(expected[i].action)) << i;
        EXPECT_EQ(keys.Items[i].Key, expected[i].key) << i;
        EXPECT_EQ(keys.Items[i].Shift, expected[i].shift) << i;
    }
    EXPECT_EQ(FindHotkey(keys, 27, kNone)->Action, Named("ui_ExitApp")) << "bound twice: first";
    EXPECT_EQ(scope.log.lines.first(), "Function: LoadKeysFromXML (keys.xml)");
    EXPECT_EQ(scope.log.lines.last(), "Function: LoadKeysFromXML... Success!");
}

TEST(Hotkeys, LoaderWithoutTheProfilesEnd) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    struct Case {
        const char* content; // null: no file
        int count;
    } cases[] = {
        {nullptr, 0},
        {"not xml at all", 0},
        {"<r><default><hotkey action='ui_ExitApp' key='27' shift='0'/><hotkey action=", 1},
        {"<r><default/><hotkey action='ui_ExitApp' key='27' shift='0'/></r>", 0},
    };
    for (const Case& c : cases) {
        QFile::remove(dir.filePath("OV.xml"));
        if (c.content) {
            QFile file(dir.filePath("OV.xml"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
        }
        LogScope scope;
        TKeys keys;
        EXPECT_FALSE(LoadKeysFromXML(keys, folder, "OV.xml", "default"))
            << (c.content ? c.content : "(none)");
        EXPECT_EQ(keys.Count, c.count);
        EXPECT_EQ(scope.log.lines.last(), "Function: LoadKeysFromXML... Success!");
    }
}

TEST(Hotkeys, TagReader) {
    const auto tags = ReadXmlTags(
        R"(<?xml version="1.0"?><!DOCTYPE r [<!ENTITY e "x>y">]><r a='1 > 2' b="&lt;&amp;&#x41;&quot;"><![CDATA[<c/>]]><e
 x = "1"/></r>)");
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[0].kind, XmlTag::Kind::Start);
    EXPECT_EQ(tags[0].Attribute("a"), "1 > 2");
    EXPECT_EQ(tags[0].Attribute("B"), "<&A\"");
    EXPECT_EQ(tags[1].kind, XmlTag::Kind::Empty);
    EXPECT_EQ(tags[1].name, "e");
    EXPECT_EQ(tags[1].Attribute("x"), "1");
    EXPECT_EQ(tags[2].kind, XmlTag::Kind::End);
}
