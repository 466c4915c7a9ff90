#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace ov {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

// A hierarchical key/value store with the registry's layout. Keys use "\" between parts.
class Registry {
public:
    virtual ~Registry() = default;
    virtual bool KeyExists(RegistryRoot root, const QString& key) = 0;
    // Empty when the key or value is missing; the key is never created by reading.
    virtual std::optional<QString> ReadString(RegistryRoot root, const QString& key,
                                              const QString& value) = 0;
    virtual bool WriteString(RegistryRoot root, const QString& key, const QString& value,
                             const QString& data) = 0;
    virtual bool DeleteValue(RegistryRoot root, const QString& key, const QString& value) = 0;
    virtual bool DeleteKey(RegistryRoot root, const QString& key) = 0;
    virtual QStringList SubKeys(RegistryRoot root, const QString& key) = 0;
};

} // namespace ov
