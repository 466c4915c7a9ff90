#include "core/config/ConfigSchema.h"

namespace ov {

const ConfigField* FindConfigField(std::string_view name) {
    for (const ConfigField& f : kConfigFields)
        if (f.name == name) return &f;
    return nullptr;
}

void StoreNumber(zvOVConfigInfo& config, const ConfigField& field, std::int64_t value) {
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(config.*member)>;
            if constexpr (std::is_same_v<T, QString>) {
                config.*member = QString::number(value);
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                // Colours: the low 32 bits, sign-extended.
                config.*member = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
            } else {
                config.*member = static_cast<T>(value);
            }
        },
        field.ref);
}

std::int64_t LoadNumber(const zvOVConfigInfo& config, const ConfigField& field) {
    return std::visit(
        [&](auto member) -> std::int64_t {
            using T = std::remove_cvref_t<decltype(config.*member)>;
            if constexpr (std::is_same_v<T, QString>)
                return (config.*member).toLongLong();
            else
                return static_cast<std::int64_t>(config.*member);
        },
        field.ref);
}

void ApplyDefaults(zvOVConfigInfo& config, DefaultSet set, const DefaultContext& context) {
    for (const ConfigField& field : kConfigFields) {
        const ConfigDefault& d = set == DefaultSet::Reader     ? field.reader
                                 : set == DefaultSet::FirstRun ? field.firstRun
                                                               : field.reset;
        switch (d.kind) {
        case ConfigDefault::Kind::None:
            break;
        case ConfigDefault::Kind::Number:
            StoreNumber(config, field, d.number);
            break;
        case ConfigDefault::Kind::Empty:
        case ConfigDefault::Kind::PicturesFolder:
        case ConfigDefault::Kind::ProgramFolder: {
            const QString text =
                d.kind == ConfigDefault::Kind::PicturesFolder  ? context.picturesFolder
                : d.kind == ConfigDefault::Kind::ProgramFolder ? context.programFolder
                                                               : QString();
            config.*std::get<QString zvOVConfigInfo::*>(field.ref) = text;
            break;
        }
        }
    }
    DeriveMsCopies(config);
}

std::uint16_t SecondsToMsCopy(std::uint16_t seconds) {
    return static_cast<std::uint16_t>((QString::number(seconds) + "000").toLongLong());
}

void DeriveMsCopies(zvOVConfigInfo& config) {
    config.vSkngMs = SecondsToMsCopy(config.vSkng);
    config.vSkngStepMs = SecondsToMsCopy(config.vSkngStep);
}

int PlaylistFontPoints(std::uint8_t pFontSize) {
    return pFontSize <= 14 ? pFontSize + 6 : 8;
}

int OverlayFontPoints(std::uint8_t olTextSize) {
    return olTextSize + 10;
}

} // namespace ov
