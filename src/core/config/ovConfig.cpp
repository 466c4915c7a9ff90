#include "core/config/ovConfig.h"

#include "core/app/Error.h"
#include "core/system/AtomicFile.h"
#include "core/system/cl_debugLog.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <sstream>

namespace ov {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes stay C1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString FromCp1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

QString DeclaredEncoding(const QByteArray& bytes) {
    if (!bytes.startsWith("<?xml")) return {};
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0) return {};
    static const QRegularExpression encoding(
        QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const auto match = encoding.match(QString::fromLatin1(bytes.left(end)));
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

QByteArray Utf8(const QString& text) {
    return text.toUtf8();
}

// A unique name beside the file for the copy of a document that is about to be replaced.
QString CopyAsideName(const QString& fileName) {
    QString name = fileName + ".damaged";
    for (int n = 2; QFileInfo::exists(name) && n < 10000; ++n)
        name = fileName + ".damaged-" + QString::number(n);
    return name;
}

} // namespace

QString DecodeXmlDocument(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                            : QStringConverter::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    static const QStringList eightBit = {"windows-1252", "cp1252",  "iso-8859-1", "iso8859-1",
                                         "latin1",       "latin-1", "us-ascii",   "ascii"};
    if (eightBit.contains(DeclaredEncoding(bytes))) return FromCp1252(bytes);
    return QString::fromUtf8(bytes);
}

ovConfig::ovConfig(const QString& fileName, const QString& rootName, IfUnreadable ifUnreadable)
    : fileName_(fileName), rootName_(rootName) {
    const QFileInfo info(fileName);
    if (!info.exists()) {
        StartEmpty();
        return;
    }
    QString problem;
    QFile file(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("cannot be read");
    } else {
        const QByteArray text = Utf8(DecodeXmlDocument(file.readAll()));
        const pugi::xml_parse_result result =
            doc_.load_buffer(text.constData(), static_cast<std::size_t>(text.size()),
                             pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
        if (!result)
            problem = QStringLiteral("is not XML (%1 at byte %2)")
                          .arg(QString::fromUtf8(result.description()))
                          .arg(result.offset);
        else if (!Root())
            problem = QStringLiteral("has no root element %1").arg(rootName);
    }
    if (problem.isEmpty()) return;
    if (ifUnreadable == IfUnreadable::Fail) throw Error(fileName + " " + problem);
    DebugLog("*FAIL* " + fileName + " " + problem + "; starting an empty document.");
    StartEmpty();
    keepCopyOfOriginal_ = true;
}

ovConfig::~ovConfig() = default;

void ovConfig::StartEmpty() {
    doc_.reset();
    doc_.append_child(Utf8(rootName_).constData());
    startedEmpty_ = true;
}

pugi::xml_node ovConfig::Root() const {
    const pugi::xml_node root = doc_.document_element();
    return root && QString::fromUtf8(root.name()) == rootName_ ? root : pugi::xml_node();
}

pugi::xml_node ovConfig::FindNodePath(const QString& path, bool create) {
    pugi::xml_node node = Root();
    if (!node) return {};
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        const QByteArray name = Utf8(part);
        pugi::xml_node child = node.child(name.constData());
        if (!child) {
            if (!create) return {};
            child = node.append_child(name.constData());
        }
        node = child;
    }
    return node;
}

QString ovConfig::ReadString(const QString& path, const QString& attribute,
                             const QString& defaultValue) {
    const pugi::xml_node node = FindNodePath(path, false);
    if (!node) return defaultValue;
    const pugi::xml_attribute attr = node.attribute(Utf8(attribute).constData());
    if (!attr || *attr.value() == '\0') return defaultValue;
    return QString::fromUtf8(attr.value());
}

int ovConfig::ReadInteger(const QString& path, const QString& attribute, int defaultValue) {
    bool ok = false;
    const int value = ReadString(path, attribute, QString::number(defaultValue)).toInt(&ok);
    return ok ? value : defaultValue;
}

int ovConfig::ReadBool(const QString& path, const QString& attribute, bool defaultValue) {
    return ReadInteger(path, attribute, defaultValue ? 1 : 0);
}

void ovConfig::WriteString(const QString& path, const QString& attribute, const QString& value) {
    pugi::xml_node node = FindNodePath(path, true);
    if (!node) throw Error(fileName_ + ": no element " + path);
    const QByteArray name = Utf8(attribute);
    pugi::xml_attribute attr = node.attribute(name.constData());
    if (!attr) attr = node.append_attribute(name.constData());
    attr.set_value(Utf8(value).constData());
    modified_ = true;
}

void ovConfig::WriteInteger(const QString& path, const QString& attribute, std::int64_t value) {
    WriteString(path, attribute, QString::number(value));
}

void ovConfig::WriteBool(const QString& path, const QString& attribute, bool value) {
    WriteInteger(path, attribute, value ? 1 : 0);
}

void ovConfig::ClearChildren(const QString& path) {
    pugi::xml_node node = FindNodePath(path, false);
    if (!node) return;
    node.remove_children();
    modified_ = true;
}

QByteArray ovConfig::Serialize() {
    // The declaration states what is written.
    pugi::xml_node declaration = doc_.first_child();
    if (declaration.type() != pugi::node_declaration)
        declaration = doc_.prepend_child(pugi::node_declaration);
    for (const char* name : {"version", "encoding"})
        if (!declaration.attribute(name)) declaration.append_attribute(name);
    declaration.attribute("version").set_value("1.0");
    declaration.attribute("encoding").set_value("UTF-8");

    std::ostringstream out;
    doc_.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    // Values never hold a raw line feed (the writer escapes them), so every one ends a line.
    QByteArray bytes = QByteArray::fromStdString(out.str());
    bytes.replace("\r\n", "\n");
    bytes.replace("\n", "\r\n");
    return bytes;
}

void ovConfig::Save() {
    const QByteArray bytes = Serialize();
    if (keepCopyOfOriginal_ && QFileInfo(fileName_).isFile()) {
        const QString copy = CopyAsideName(fileName_);
        if (!QFile::copy(fileName_, copy))
            throw Error("Cannot keep a copy of " + fileName_ + " as " + copy);
        DebugLog("The unreadable " + fileName_ + " is kept as " + copy + ".");
    }
    WriteFileAtomically(fileName_, bytes);
    keepCopyOfOriginal_ = false;
    modified_ = false;
}

void ovConfig::Release() {
    if (modified_ && !fileName_.isEmpty()) Save();
}

} // namespace ov
