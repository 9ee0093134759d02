#pragma once
#include <QByteArray>
#include <QString>

#include <cstdint>

// Scrambling of stored passwords: each byte is XORed with the high byte of a running 16-bit key
// that the scrambled byte then moves on: k := (k + scrambled) * KeyMultiplier + KeyIncrement
// (mod 65536). Texts are scrambled as their UTF-8 bytes. These constants are this program's own;
// every password stored by it depends on them, so they must never change.
inline constexpr std::uint16_t UserPasswordKey = 7341;       // user passwords (login, password change)
inline constexpr std::uint16_t RegistryPasswordKey = 40517;  // database password in the registry store
inline constexpr std::uint16_t KeyMultiplier = 31727;
inline constexpr std::uint16_t KeyIncrement = 13849;

QByteArray Encrypt(const QByteArray& text, std::uint16_t key);
QByteArray Decrypt(const QByteArray& text, std::uint16_t key);
// Encrypt of the UTF-8 text, every byte as two upper-case hexadecimal digits.
QString EncryptHex(const QString& text, std::uint16_t key);
// The reverse. Text that is not hexadecimal gives an empty result (logged as "DecryptHex"); an
// odd last digit counts as one byte of its own.
QString DecryptHex(const QString& hex, std::uint16_t key);
