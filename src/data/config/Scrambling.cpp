#include "data/config/Scrambling.h"

#include "data/core/Exception.h"
#include "data/log/Guard.h"

#include <algorithm>
#include <cctype>

namespace {
std::uint16_t nextKey(std::uint16_t key, unsigned char scrambled)
{
    return static_cast<std::uint16_t>((unsigned(key) + scrambled) * unsigned(KeyMultiplier) + KeyIncrement);
}
} // namespace

QByteArray Encrypt(const QByteArray& text, std::uint16_t key)
{
    QByteArray out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const auto t = static_cast<unsigned char>(static_cast<unsigned char>(text[i]) ^ (key >> 8));
        out[i] = static_cast<char>(t);
        key = nextKey(key, t);
    }
    return out;
}

QByteArray Decrypt(const QByteArray& text, std::uint16_t key)
{
    QByteArray out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const auto s = static_cast<unsigned char>(text[i]);
        out[i] = static_cast<char>(s ^ (key >> 8));
        key = nextKey(key, s);
    }
    return out;
}

QString EncryptHex(const QString& text, std::uint16_t key)
{
    return QString::fromLatin1(Encrypt(text.toUtf8(), key).toHex().toUpper());
}

QString DecryptHex(const QString& hex, std::uint16_t key)
{
    return guard("DecryptHex", nullptr, QString(), [&] {
        const QString digits = hex.trimmed();
        QByteArray bytes;
        for (qsizetype i = 0; i < digits.size(); i += 2) {
            const QString pair = digits.mid(i, 2);
            const bool hexDigits = std::all_of(pair.begin(), pair.end(), [](QChar c) {
                return c.unicode() < 128 && std::isxdigit(c.unicode());
            });
            bool ok = false;
            const int b = pair.toInt(&ok, 16);
            if (!hexDigits || !ok)
                throw Exception(QString("Neveljaven šestnajstiški zapis gesla"));
            bytes.append(static_cast<char>(b));
        }
        return QString::fromUtf8(Decrypt(bytes, key));
    });
}
