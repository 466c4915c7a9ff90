#pragma once
#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

namespace ov {

// The text of an XML document's bytes: UTF-8 and UTF-16 (by their byte-order marks), or the
// 8-bit encoding its declaration names (windows-1252 and Latin-1, as older files were written).
QString DecodeXmlDocument(const QByteArray& bytes);

// Path accessor over one XML document: "general/pFontSize" walks from the root, taking the
// first child element of exactly each name. Every value is an attribute. The document is
// written as UTF-8, declared as such, with CR LF line ends; element order is kept.
class ovConfig {
public:
    // What to do with a file that exists but cannot be read, parsed, or has another root.
    enum class IfUnreadable {
        Fail,      // raise ov::Error (readers: nothing of it can be trusted)
        StartEmpty // start an empty document; the file is copied aside before it is replaced
    };

    // A missing file starts an empty document whose root has the given name.
    ovConfig(const QString& fileName, const QString& rootName,
             IfUnreadable ifUnreadable = IfUnreadable::Fail);
    // Never writes; saving is Release's or Save's.
    ~ovConfig();
    ovConfig(const ovConfig&) = delete;
    ovConfig& operator=(const ovConfig&) = delete;

    // Null when missing and not created.
    pugi::xml_node FindNodePath(const QString& path, bool create);

    // The attribute's value; the default when the element or attribute is missing or empty.
    QString ReadString(const QString& path, const QString& attribute, const QString& defaultValue);
    // The default also when the value is not a (32-bit) integer.
    int ReadInteger(const QString& path, const QString& attribute, int defaultValue);
    // Any integer is kept; callers store it in one byte.
    int ReadBool(const QString& path, const QString& attribute, bool defaultValue);

    void WriteString(const QString& path, const QString& attribute, const QString& value);
    void WriteInteger(const QString& path, const QString& attribute, std::int64_t value);
    void WriteBool(const QString& path, const QString& attribute, bool value);
    // Removes every child of the element, when it exists.
    void ClearChildren(const QString& path);

    // The root element; null when the document has none of the right name.
    pugi::xml_node Root() const;
    pugi::xml_document& Document() { return doc_; }
    void SetModified() { modified_ = true; }
    bool Modified() const { return modified_; }
    // The file was missing or unreadable, so the document started empty.
    bool StartedEmpty() const { return startedEmpty_; }
    const QString& FileName() const { return fileName_; }

    // Writes the document to the file atomically (a damaged original is first copied aside).
    // Throws ov::Error when it cannot.
    void Save();
    // Saves when something was written and the file name is not empty.
    void Release();

    // The document as it is written to disk.
    QByteArray Serialize();

private:
    void StartEmpty();

    QString fileName_;
    QString rootName_;
    pugi::xml_document doc_;
    bool modified_ = false;
    bool startedEmpty_ = false;
    bool keepCopyOfOriginal_ = false;
};

} // namespace ov
