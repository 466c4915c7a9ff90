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

using ConfigFieldRef =
    std::variant<std::uint8_t zvOVConfigInfo::*, std::uint16_t zvOVConfigInfo::*,
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

// The stored fields in record order; the derived millisecond copies are not stored.
extern const std::array<ConfigField, 46> kConfigFields;

const ConfigField* FindConfigField(std::string_view name);

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
