#include "ScopedEnv.h"
#include "TestDatabase.h"

#include "data/log/ErrorLog.h"
#include "data/local/LocalTable.h"
#include "data/config/RegistryStore.h"
#include "data/config/Scrambling.h"

#include <gtest/gtest.h>

TEST(Scrambling, RoundTripsAndLengths)
{
    const QStringList texts{"", "a", "geslo", "Šifra čžš ĐĆ", QString(300, u'x'), "sa"};
    for (const quint16 key : {UserPasswordKey, RegistryPasswordKey, quint16(0), quint16(65535)}) {
        for (const QString& text : texts) {
            const QByteArray bytes = text.toUtf8();
            const QByteArray scrambled = Encrypt(bytes, key);
            EXPECT_EQ(scrambled.size(), bytes.size());
            EXPECT_EQ(Decrypt(scrambled, key), bytes);
            const QString hex = EncryptHex(text, key);
            EXPECT_EQ(hex.size(), 2 * bytes.size());
            EXPECT_EQ(hex, hex.toUpper());
            EXPECT_EQ(DecryptHex(hex, key), text);
        }
    }
    EXPECT_EQ(EncryptHex("abcd", UserPasswordKey).size(), 8);
    EXPECT_TRUE(EncryptHex("", UserPasswordKey).isEmpty());
    // The whole text is scrambled, also past 255 characters.
    const QByteArray longText(300, 'x');
    EXPECT_NE(Encrypt(longText, UserPasswordKey).right(45), longText.right(45));
    // Different keys, different results.
    EXPECT_NE(EncryptHex("geslo", UserPasswordKey), EncryptHex("geslo", RegistryPasswordKey));
}

TEST(Scrambling, StoredFormsStayTheSame)
{
    // Stored passwords depend on these: the constants must never change.
    EXPECT_EQ(EncryptHex("geslo", UserPasswordKey), QString("7BC338541E"));
    EXPECT_EQ(EncryptHex("šifra", RegistryPasswordKey), QString("5B8CFA3B5732"));
    EXPECT_EQ(DecryptHex("7bc338541e", UserPasswordKey), QString("geslo"));   // lower-case digits too
}

TEST(Scrambling, BadHexGivesEmptyTextAndALogEntry)
{
    ScratchDir dir;
    ScopedEnv data("OBDRAC_DATA_DIR", dir.file("data"));
    EXPECT_EQ(DecryptHex("7BC3G8", UserPasswordKey), QString());
    EXPECT_EQ(DecryptHex("+1", UserPasswordKey), QString());
    // An odd last digit is one byte of its own.
    EXPECT_EQ(DecryptHex("7BC338541E", UserPasswordKey).size(), 5);
    EXPECT_EQ(DecryptHex("7BC33", UserPasswordKey).size(), 3);
    LocalTable log(QString(), ErrorLogTable);
    log.open();
    ASSERT_EQ(log.recordCount(), 2);
    log.first();
    EXPECT_EQ(log.asString("Operation"), QString("DecryptHex"));
}

TEST(Registry, FilesOfTheStore)
{
    ScratchDir dir;
    {
        ScopedEnv reg("OBDRAC_REGISTRY", dir.file("reg.ini"));
        EXPECT_EQ(RegistryStore::files(), QStringList({dir.file("reg.ini")}));
    }
    ScopedEnv noOwn("OBDRAC_REGISTRY", QString());
    ScopedEnv config("XDG_CONFIG_HOME", dir.file("cfg"));
    EXPECT_EQ(RegistryStore::files(),
              QStringList({"/etc/obdrac/registry.ini", dir.file("cfg") + "/obdrac/registry.ini"}));
}

TEST(Registry, DefaultsWithoutValues)
{
    ScratchDir dir;
    ScopedEnv reg("OBDRAC_REGISTRY", dir.file("missing.ini"));
    QString user = "x", password = "y";
    EXPECT_TRUE(GetUserNameAndPassword(user, password));
    EXPECT_EQ(user, QString("sa"));
    EXPECT_EQ(password, QString());
    EXPECT_EQ(ReadRegString(RegistryUpgradeKey, "PotDoTempa", "c:\\Temp"), QString("c:\\Temp"));

    writeFile(dir.file("missing.ini"), "[SOFTWARE\\Sintrex\\SQL]\n");   // the key without values
    EXPECT_TRUE(GetUserNameAndPassword(user, password));
    EXPECT_EQ(user, QString("sa"));
}

TEST(Registry, ValuesFromTheStore)
{
    ScratchDir dir;
    ScopedEnv reg("OBDRAC_REGISTRY", dir.file("reg.ini"));
    writeFile(dir.file("reg.ini"), ("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sintrex\\SQL]\nUserName=obdrac\nPassword="
                                    + EncryptHex("skrivno geslo ž", RegistryPasswordKey) + "\n"
                                    "[software\\sintrex\\upgrade]\nPotDoTempa=/srv/novo\n")
                                       .toUtf8());
    QString user, password;
    EXPECT_TRUE(GetUserNameAndPassword(user, password));
    EXPECT_EQ(user, QString("obdrac"));
    EXPECT_EQ(password, QString("skrivno geslo ž"));
    EXPECT_EQ(ReadRegString("SOFTWARE\\Sintrex\\Upgrade", "potdotempa", "c:\\Temp"), QString("/srv/novo"));
    EXPECT_EQ(ReadRegString("HKEY_LOCAL_MACHINE\\SOFTWARE\\Sintrex\\Upgrade", "PotDoTempa", ""), QString("/srv/novo"));
    EXPECT_EQ(ReadRegString("SOFTWARE\\Sintrex\\Upgrade", "NovaVerzijaPath", "privzeto"), QString("privzeto"));
    EXPECT_EQ(ReadRegString("SOFTWARE\\Drugo", "PotDoTempa", "privzeto"), QString("privzeto"));
    EXPECT_TRUE(RegistryStore::openKey("SOFTWARE\\Sintrex\\SQL", false));
    EXPECT_FALSE(RegistryStore::openKey("SOFTWARE\\Drugo", false));
    EXPECT_TRUE(RegistryStore::openKey("SOFTWARE\\Drugo", true));
}
