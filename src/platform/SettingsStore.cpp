#include "platform/SettingsStore.h"

#include "platform/NumberText.h"

#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QMetaType>

#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

// Stored form of a value: a one-letter tag, a colon and the payload.
//   b:true / b:false       boolean
//   i:42                   integer
//   d:0.5                  decimal number (shortest round-trip form)
//   s:any text             string, kept as it is
//   l:["a","b"]            list of strings, as a JSON array
//   v:<base64>             any other value, serialised with QDataStream
// A value that carries no known tag (a hand-edited file, say) reads as the
// plain text it holds.
namespace {

constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;

// The number at the start of a text: leading white space and one '+' are
// skipped, then as much of a decimal number as can be read. 0 when the text
// does not start with a number.
double leadingNumber(const QString& text)
{
    const QByteArray bytes = text.trimmed().toUtf8();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (first != last && *first == '+')
        ++first;
    double value = 0.0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

int toInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(value); // truncates toward zero
}

bool isIntegerType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isNumberType(int typeId)
{
    return isIntegerType(typeId) || typeId == QMetaType::ULongLong
        || typeId == QMetaType::Double || typeId == QMetaType::Float;
}

QString encodeStreamed(const QVariant& value)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(kStreamVersion);
    stream << value;
    return QStringLiteral("v:") + QString::fromLatin1(bytes.toBase64());
}

QString encode(const QVariant& value)
{
    const int typeId = value.typeId();
    if (typeId == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("b:true") : QStringLiteral("b:false");
    if (isIntegerType(typeId))
        return QStringLiteral("i:") + QString::number(value.toLongLong());
    if (typeId == QMetaType::Double || typeId == QMetaType::Float)
        return QStringLiteral("d:") + numbertext::shortest(value.toDouble());
    if (typeId == QMetaType::QString)
        return QStringLiteral("s:") + value.toString();
    if (typeId == QMetaType::QStringList) {
        const QJsonArray array = QJsonArray::fromStringList(value.toStringList());
        return QStringLiteral("l:")
            + QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
    }
    return encodeStreamed(value);
}

QVariant decode(const QString& text)
{
    if (text.size() < 2 || text.at(1) != QLatin1Char(':'))
        return text;
    const QString payload = text.mid(2);
    switch (text.at(0).unicode()) {
    case 'b':
        if (payload == QLatin1String("true"))
            return true;
        if (payload == QLatin1String("false"))
            return false;
        break;
    case 'i': {
        bool ok = false;
        const qlonglong number = payload.toLongLong(&ok);
        if (ok) {
            if (number >= INT_MIN && number <= INT_MAX)
                return int(number);
            return number;
        }
        break;
    }
    case 'd':
        if (const auto number = numbertext::exactDecimal(payload))
            return *number;
        break;
    case 's':
        return payload;
    case 'l': {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(payload.toUtf8(), &error);
        if (error.error == QJsonParseError::NoError && document.isArray()) {
            QStringList list;
            const QJsonArray array = document.array();
            for (const QJsonValue& entry : array)
                list.append(entry.toString());
            return list;
        }
        break;
    }
    case 'v': {
        const QByteArray bytes = QByteArray::fromBase64(payload.toLatin1());
        QDataStream stream(bytes);
        stream.setVersion(kStreamVersion);
        QVariant value;
        stream >> value;
        if (stream.status() == QDataStream::Ok)
            return value;
        break;
    }
    default:
        break;
    }
    // Not one of ours, or damaged: the text as it stands.
    return text;
}

void ensureFileExists(const QString& path)
{
    if (QFileInfo::exists(path))
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.close();
}

} // namespace

SettingsStore::SettingsStore(const QString& iniPath)
    : m_settings((ensureFileExists(iniPath), iniPath), QSettings::IniFormat)
{
}

SettingsStore::~SettingsStore()
{
    m_settings.sync();
}

std::unique_ptr<SettingsStore> SettingsStore::userStore()
{
    const QSettings located(QSettings::IniFormat, QSettings::UserScope,
                            QStringLiteral("Ondrix"), QStringLiteral("Ondrix"));
    return std::make_unique<SettingsStore>(located.fileName());
}

void SettingsStore::registerDefaults(const QVariantMap& defaults)
{
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
        m_defaults.insert(it.key(), it.value());
}

QVariant SettingsStore::storedValue(const QString& key) const
{
    const QVariant raw = m_settings.value(key);
    if (!raw.isValid())
        return {};
    // QSettings splits an untagged value with unquoted commas into a list;
    // only a hand-edited file can hold one.
    if (raw.typeId() == QMetaType::QStringList)
        return raw;
    return decode(raw.toString());
}

QVariant SettingsStore::value(const QString& key) const
{
    if (m_settings.contains(key))
        return storedValue(key);
    return m_defaults.value(key);
}

bool SettingsStore::hasStoredValue(const QString& key) const
{
    return m_settings.contains(key);
}

bool SettingsStore::boolValue(const QString& key) const
{
    const QVariant v = value(key);
    const int typeId = v.typeId();
    if (typeId == QMetaType::Bool)
        return v.toBool();
    if (isNumberType(typeId))
        return v.toDouble() != 0.0;
    if (typeId == QMetaType::QString) {
        const QString text = v.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            || text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0)
            return true;
        return leadingNumber(text) != 0.0;
    }
    return false;
}

int SettingsStore::intValue(const QString& key) const
{
    const QVariant v = value(key);
    const int typeId = v.typeId();
    if (typeId == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    if (isIntegerType(typeId)) {
        const qlonglong number = v.toLongLong();
        return number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : int(number);
    }
    if (isNumberType(typeId))
        return toInt(v.toDouble());
    if (typeId == QMetaType::QString)
        return toInt(leadingNumber(v.toString()));
    return 0;
}

double SettingsStore::doubleValue(const QString& key) const
{
    const QVariant v = value(key);
    const int typeId = v.typeId();
    if (typeId == QMetaType::Bool)
        return v.toBool() ? 1.0 : 0.0;
    if (isNumberType(typeId))
        return v.toDouble();
    if (typeId == QMetaType::QString)
        return leadingNumber(v.toString());
    return 0.0;
}

QString SettingsStore::stringValue(const QString& key) const
{
    const QVariant v = value(key);
    const int typeId = v.typeId();
    if (typeId == QMetaType::QString)
        return v.toString();
    if (typeId == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (isIntegerType(typeId))
        return QString::number(v.toLongLong());
    if (isNumberType(typeId))
        return numbertext::shortest(v.toDouble());
    return {};
}

QStringList SettingsStore::stringListValue(const QString& key) const
{
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList();
    if (v.typeId() == QMetaType::QVariantList) {
        QStringList list;
        const QVariantList entries = v.toList();
        for (const QVariant& entry : entries)
            list.append(entry.toString());
        return list;
    }
    return {};
}

std::optional<RgbaColour> SettingsStore::colourValue(const QString& key) const
{
    const QVariant v = value(key);
    if (v.typeId() != QMetaType::QString)
        return std::nullopt;
    return RgbaColour::fromText(v.toString());
}

void SettingsStore::setValue(const QString& key, const QVariant& value)
{
    if (key.isEmpty())
        return;
    if (!value.isValid()) {
        remove(key);
        return;
    }
    m_settings.setValue(key, encode(value));
    m_settings.sync();
}

void SettingsStore::setStringList(const QString& key, const QStringList& list)
{
    setValue(key, QVariant(list));
}

void SettingsStore::setColour(const QString& key, const RgbaColour& colour)
{
    setValue(key, colour.toText());
}

void SettingsStore::remove(const QString& key)
{
    // QSettings reads an empty key as "every key": never let that through.
    if (key.isEmpty())
        return;
    m_settings.remove(key);
    m_settings.sync();
}

bool SettingsStore::sync()
{
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

QString SettingsStore::fileName() const
{
    return m_settings.fileName();
}
