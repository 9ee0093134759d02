#include "data/config/IniFile.h"

#include "data/local/LocalPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cctype>
#include <climits>

// The file as a list of raw lines, so that everything that is not changed is written back byte
// for byte.
struct IniFile::Document {
    QList<QByteArray> lines;       // without their line endings
    bool bom = false;
    QByteArray eol = "\n";
    bool finalNewline = true;

    enum class Kind { Other, Section, Entry };
    struct Line {
        Kind kind = Kind::Other;
        QString name;    // section or key name, trimmed
        QString value;   // raw value text, trimmed (entries only)
    };
    static Line parse(const QByteArray& raw)
    {
        Line out;
        const QString text = QString::fromUtf8(raw).trimmed();
        if (text.startsWith(u'[')) {
            const qsizetype close = text.indexOf(u']');
            out.kind = Kind::Section;
            out.name = (close < 0 ? text.mid(1) : text.mid(1, close - 1)).trimmed();
            return out;
        }
        const qsizetype eq = text.indexOf(u'=');
        if (eq > 0) {
            out.kind = Kind::Entry;
            out.name = text.left(eq).trimmed();
            out.value = text.mid(eq + 1).trimmed();
        }
        return out;
    }

    // [first line of the section's body, end of the body) of the first section of that name.
    std::optional<std::pair<qsizetype, qsizetype>> sectionRange(const QString& section) const
    {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const Line l = parse(lines[i]);
            if (l.kind != Kind::Section || l.name.compare(section, Qt::CaseInsensitive) != 0)
                continue;
            qsizetype end = i + 1;
            while (end < lines.size() && parse(lines[end]).kind != Kind::Section)
                ++end;
            return std::make_pair(i + 1, end);
        }
        return std::nullopt;
    }

    // Index of the first line of that key in the first section of that name, or -1.
    qsizetype findEntry(const QString& section, const QString& key) const
    {
        const auto range = sectionRange(section);
        if (!range)
            return -1;
        for (qsizetype i = range->first; i < range->second; ++i) {
            const Line l = parse(lines[i]);
            if (l.kind == Kind::Entry && l.name.compare(key, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }
};

namespace {
const QByteArray Bom("\xEF\xBB\xBF");

QString encodeValue(QString value)
{
    value.replace("\r\n", " ");
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    const bool blanksAtEnds = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    const bool looksQuoted = value.size() >= 2 && value.front() == value.back()
        && (value.front() == u'"' || value.front() == u'\'');
    if (blanksAtEnds || looksQuoted)
        return "\"" + value + "\"";
    return value;
}

void checkNames(const QString& section, const QString& key, const QString& file)
{
    const QString s = section.trimmed(), k = key.trimmed();
    if (s.isEmpty() || k.isEmpty())
        throw IniFileError(QString("Prazno ime razdelka ali ključa v datoteki %1").arg(file));
    if (s.contains(u']') || s.contains(u'\n') || s.contains(u'\r'))
        throw IniFileError(QString("Neveljavno ime razdelka \"%1\" v datoteki %2").arg(section, file));
    if (k.contains(u'=') || k.startsWith(u'[') || k.contains(u'\n') || k.contains(u'\r'))
        throw IniFileError(QString("Neveljavno ime ključa \"%1\" v datoteki %2").arg(key, file));
}

// A file in that folder whose name equals the given one, first exactly, then ignoring case.
QString findInFolder(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.absoluteFilePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.absoluteFilePath(entry);
    return {};
}
} // namespace

IniFile::IniFile(const QString& fileName) : m_fileName(fileName) {}

QString IniFile::resolveFileName(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (LocalPaths::isDrivePath(trimmed))
        return LocalPaths::localPath(trimmed);
    QString path = trimmed;
    path.replace(u'\\', u'/');
    if (path.contains(u'/'))
        return QDir::cleanPath(QDir::current().absoluteFilePath(path));
    QString found = findInFolder(QDir::currentPath(), path);
    if (found.isEmpty())
        found = findInFolder(LocalPaths::configFolder(), path);
    if (found.isEmpty())
        found = LocalPaths::configFolder() + "/" + path;
    return found;
}

bool IniFile::exists() const { return QFileInfo(m_fileName).isFile(); }

IniFile::Document IniFile::load() const
{
    Document doc;
    QFile file(m_fileName);
    if (!file.exists())
        return doc;
    if (!file.open(QIODevice::ReadOnly))
        throw IniFileError(QString("Ne morem brati datoteke %1: %2").arg(m_fileName, file.errorString()));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IniFileError(QString("Ne morem brati datoteke %1: %2").arg(m_fileName, file.errorString()));
    if (data.startsWith(Bom)) {
        doc.bom = true;
        data.remove(0, Bom.size());
    }
    if (data.isEmpty())
        return doc;
    const qsizetype firstLf = data.indexOf('\n');
    if (firstLf > 0 && data[firstLf - 1] == '\r')
        doc.eol = "\r\n";
    doc.finalNewline = data.endsWith('\n');
    doc.lines = data.split('\n');
    if (doc.finalNewline)
        doc.lines.removeLast();
    for (QByteArray& line : doc.lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return doc;
}

void IniFile::save(const Document& doc) const
{
    QByteArray data;
    if (doc.bom)
        data += Bom;
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        data += doc.lines[i];
        if (i + 1 < doc.lines.size() || doc.finalNewline)
            data += doc.eol;
    }
    const QFileInfo info(m_fileName);
    if (!QDir().mkpath(info.absolutePath()))
        throw IniFileError(QString("Ne morem ustvariti mape %1").arg(info.absolutePath()));
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw IniFileError(QString("Ne morem zapisati datoteke %1: %2").arg(m_fileName, file.errorString()));
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Document doc = load();
    const qsizetype i = doc.findEntry(section.trimmed(), key.trimmed());
    if (i < 0)
        return std::nullopt;
    return unquote(Document::parse(doc.lines[i]).value);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    const auto text = value(section, key);
    if (!text)
        return defaultValue;
    return parseInteger(*text).value_or(defaultValue);
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::readFlag(const QString& section, const QString& key, const QString& defaultValue) const
{
    return readString(section, key, defaultValue) == "T";
}

bool IniFile::sectionExists(const QString& section) const
{
    return load().sectionRange(section.trimmed()).has_value();
}

bool IniFile::keyExists(const QString& section, const QString& key) const
{
    return value(section, key).has_value();
}

QStringList IniFile::sectionKeys(const QString& section) const
{
    const Document doc = load();
    QStringList out;
    const auto range = doc.sectionRange(section.trimmed());
    if (!range)
        return out;
    for (qsizetype i = range->first; i < range->second; ++i) {
        const auto l = Document::parse(doc.lines[i]);
        if (l.kind != Document::Kind::Entry)
            continue;
        bool seen = false;
        for (const QString& k : out)
            seen = seen || k.compare(l.name, Qt::CaseInsensitive) == 0;
        if (!seen)
            out << l.name;
    }
    return out;
}

QStringList IniFile::sections() const
{
    const Document doc = load();
    QStringList out;
    for (const QByteArray& raw : doc.lines) {
        const auto l = Document::parse(raw);
        if (l.kind == Document::Kind::Section && !out.contains(l.name, Qt::CaseInsensitive))
            out << l.name;
    }
    return out;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    checkNames(section, key, m_fileName);
    const QString s = section.trimmed(), k = key.trimmed();
    Document doc = load();
    const qsizetype existing = doc.findEntry(s, k);
    if (existing >= 0) {
        // Keep the spelling of the key as the file has it.
        const QString fileKey = Document::parse(doc.lines[existing]).name;
        const QByteArray line = (fileKey + "=" + encodeValue(value)).toUtf8();
        if (line == doc.lines[existing])
            return;
        doc.lines[existing] = line;
    } else if (const auto range = doc.sectionRange(s)) {
        // After the section's last non-blank line, so that a blank line before the next section stays.
        qsizetype at = range->second;
        while (at > range->first && doc.lines[at - 1].trimmed().isEmpty())
            --at;
        doc.lines.insert(at, (k + "=" + encodeValue(value)).toUtf8());
    } else {
        doc.lines.append(("[" + s + "]").toUtf8());
        doc.lines.append((k + "=" + encodeValue(value)).toUtf8());
        doc.finalNewline = true;
    }
    save(doc);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

void IniFile::deleteKey(const QString& section, const QString& key)
{
    checkNames(section, key, m_fileName);
    Document doc = load();
    const qsizetype i = doc.findEntry(section.trimmed(), key.trimmed());
    if (i < 0)
        return;
    doc.lines.removeAt(i);
    save(doc);
}

void IniFile::eraseSection(const QString& section)
{
    checkNames(section, "x", m_fileName);
    Document doc = load();
    const auto range = doc.sectionRange(section.trimmed());
    if (!range)
        return;
    doc.lines.remove(range->first - 1, range->second - range->first + 1);
    save(doc);
}

std::optional<int> IniFile::parseInteger(const QString& text)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(u'+') || t.startsWith(u'-')) {
        negative = t.startsWith(u'-');
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith(u'$')) {
        base = 16;
        t = t.mid(1);
    } else if (t.startsWith("0x", Qt::CaseInsensitive)) {
        base = 16;
        t = t.mid(2);
    }
    if (t.isEmpty())
        return std::nullopt;
    for (const QChar c : t) {
        const bool ok = base == 10 ? (c >= u'0' && c <= u'9') : (c.unicode() < 128 && std::isxdigit(c.unicode()));
        if (!ok)
            return std::nullopt;
    }
    bool ok = false;
    const qulonglong magnitude = t.toULongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    if (base == 16 && !negative && magnitude <= 0xFFFFFFFFull)
        return static_cast<int>(static_cast<quint32>(magnitude));   // "$FFFFFFFF" is -1, as in the classic reader
    const qlonglong signedValue = negative ? -static_cast<qlonglong>(magnitude) : static_cast<qlonglong>(magnitude);
    if (magnitude > 0x80000000ull || signedValue < INT_MIN || signedValue > INT_MAX)
        return std::nullopt;
    return static_cast<int>(signedValue);
}

QString IniFile::unquote(const QString& text)
{
    if (text.size() >= 2 && text.front() == text.back() && (text.front() == u'"' || text.front() == u'\''))
        return text.mid(1, text.size() - 2);
    return text;
}
