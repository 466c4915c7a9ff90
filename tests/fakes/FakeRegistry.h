#pragma once
#include "ports/Registry.h"

#include <QMap>
#include <QSet>

namespace ov::test {

// An in-memory registry; keys compare without regard to case, as the real one does.
class FakeRegistry : public Registry {
public:
    bool KeyExists(RegistryRoot root, const QString& key) override {
        return keys.contains(Key(root, key));
    }
    std::optional<QString> ReadString(RegistryRoot root, const QString& key,
                                      const QString& value) override {
        const auto it = values.find(Key(root, key) + "|" + value.toLower());
        if (it == values.end()) return std::nullopt;
        return it.value();
    }
    bool WriteString(RegistryRoot root, const QString& key, const QString& value,
                     const QString& data) override {
        if (readOnly) return false;
        QString path;
        for (const QString& part : key.split('\\')) {
            path = path.isEmpty() ? part : path + "\\" + part;
            keys.insert(Key(root, path));
        }
        values[Key(root, key) + "|" + value.toLower()] = data;
        return true;
    }
    bool DeleteValue(RegistryRoot root, const QString& key, const QString& value) override {
        return values.remove(Key(root, key) + "|" + value.toLower()) > 0;
    }
    bool DeleteKey(RegistryRoot root, const QString& key) override {
        const QString k = Key(root, key);
        if (!keys.remove(k)) return false;
        for (auto it = values.begin(); it != values.end();)
            it = it.key().startsWith(k + "|") ? values.erase(it) : std::next(it);
        return true;
    }
    QStringList SubKeys(RegistryRoot root, const QString& key) override {
        QStringList result;
        const QString prefix = Key(root, key) + "\\";
        for (const QString& k : keys)
            if (k.startsWith(prefix) && !k.mid(prefix.size()).contains('\\'))
                result << k.mid(prefix.size());
        return result;
    }

    static QString Key(RegistryRoot root, const QString& key) {
        return QString::number(static_cast<int>(root)) + ":" + key.toLower();
    }
    QSet<QString> keys;
    QMap<QString, QString> values;
    bool readOnly = false;
};

} // namespace ov::test
