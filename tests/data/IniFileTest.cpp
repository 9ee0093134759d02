#include "ScopedEnv.h"
#include "TestDatabase.h"

#include "data/log/ErrorLog.h"
#include "data/config/IniFile.h"
#include "data/local/LocalTable.h"
#include "data/config/ProgramIni.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
const QByteArray Sample =
    "; configuration of the workstation\r\n"
    "[Program]\r\n"
    "ShraniForm=0\r\n"
    "EnterForNext=5\r\n"
    "DDV=True\r\n"
    "Negative=-3\r\n"
    "Hex=$1F\r\n"
    "HexC=0x10\r\n"
    "Spaced =  12  \r\n"
    "Empty=\r\n"
    "SQLTrace=t\r\n"
    "RazvojAplikacije=T\r\n"
    "Quoted=\"  Sintrex d.o.o.  \"\r\n"
    "Single='x'\r\n"
    "HalfQuote=\"abc\r\n"
    "Podjetje=Čevljarstvo Šuštar, Žalec\r\n"
    "ObdracPoslDog=10\r\n"
    "ObdracPoslDog=99\r\n"
    "\r\n"
    "[Database]\r\n"
    "DataSource=MSSintrex\r\n"
    "TablePodPath=c:\\\r\n"
    "\r\n"
    "[program]\r\n"
    "Later=1\r\n";

struct ReadCase {
    const char* section;
    const char* key;
    const char* defaultText;
    const char* expected;
};

// Text reads: case of names, missing versus empty, quotes, first occurrence wins, UTF-8.
const ReadCase TextCases[] = {
    {"Program", "ShraniForm", "d", "0"},
    {"PROGRAM", "shraniform", "d", "0"},
    {"program", "Spaced", "d", "12"},
    {"Program", "Empty", "d", ""},                  // present and empty: no default
    {"Program", "Missing", "d", "d"},               // missing: default
    {"Nothing", "ShraniForm", "d", "d"},            // missing section
    {"Program", "Quoted", "d", "  Sintrex d.o.o.  "},
    {"Program", "Single", "d", "x"},
    {"Program", "HalfQuote", "d", "\"abc"},
    {"Program", "Podjetje", "d", "Čevljarstvo Šuštar, Žalec"},
    {"Program", "ObdracPoslDog", "d", "10"},        // the first of two
    {"Program", "Later", "d", "d"},                 // a second [program] section is not read
    {"Database", "TablePodPath", "d", "c:\\"},
};

struct BoolCase {
    const char* key;
    bool defaultValue;
    bool expected;
};

// Booleans are integers: 0 false, any other integer true, anything else the default.
const BoolCase BoolCases[] = {
    {"ShraniForm", true, false},     // "0"
    {"EnterForNext", false, true},   // "5"
    {"Negative", false, true},       // "-3"
    {"DDV", false, false},           // "True" is no integer: default
    {"DDV", true, true},
    {"Empty", true, true},           // empty: default
    {"Empty", false, false},
    {"Missing", true, true},
    {"Hex", false, true},
};

struct IntCase {
    const char* key;
    int expected;   // default is -99
};

const IntCase IntCases[] = {
    {"ShraniForm", 0}, {"EnterForNext", 5}, {"Negative", -3}, {"Hex", 31},   {"HexC", 16},
    {"Spaced", 12},    {"DDV", -99},        {"Empty", -99},   {"Missing", -99}, {"Podjetje", -99},
};
} // namespace

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { writeFile(path(), Sample); }
    QString path() const { return m_dir.file("Vektor.INI"); }
    ScratchDir m_dir;
};

TEST_F(IniFileTest, ReadsTextAsProfileFilesDo)
{
    const IniFile ini(path());
    for (const ReadCase& c : TextCases)
        EXPECT_EQ(ini.readString(c.section, c.key, QString::fromUtf8(c.defaultText)), QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
    EXPECT_TRUE(ini.keyExists("Program", "Empty"));
    EXPECT_FALSE(ini.keyExists("Program", "Missing"));
}

TEST_F(IniFileTest, ReadsBooleansAsIntegers)
{
    const IniFile ini(path());
    for (const BoolCase& c : BoolCases)
        EXPECT_EQ(ini.readBool("Program", c.key, c.defaultValue), c.expected) << c.key;
}

TEST_F(IniFileTest, ReadsIntegersWithTheDefaultForAnyOtherText)
{
    const IniFile ini(path());
    for (const IntCase& c : IntCases)
        EXPECT_EQ(ini.readInteger("Program", c.key, -99), c.expected) << c.key;
}

TEST(IniFileParse, IntegerTexts)
{
    struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"0", 0},          {"+7", 7},         {"-2147483648", INT_MIN}, {"2147483647", INT_MAX},
        {"2147483648", {}}, {"1.5", {}},       {"", {}},                 {"-", {}},
        {"$", {}},          {"$FFFFFFFF", -1}, {"0xZZ", {}},             {"12abc", {}},
        {"True", {}},       {" 42 ", 42},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IniFile::parseInteger(c.text), c.value) << c.text;
}

TEST_F(IniFileTest, TFlagsAreTrueOnlyForCapitalT)
{
    const IniFile ini(path());
    EXPECT_TRUE(ini.readFlag("Program", "RazvojAplikacije"));
    EXPECT_FALSE(ini.readFlag("Program", "SQLTrace"));   // "t"
    EXPECT_FALSE(ini.readFlag("Program", "DDV"));        // "True"
    EXPECT_FALSE(ini.readFlag("Program", "Missing"));    // default "F"
    EXPECT_TRUE(ini.readFlag("Program", "Missing", "T"));
}

TEST_F(IniFileTest, WritingAKeyKeepsEverythingElseByteForByte)
{
    IniFile ini(path());
    ini.writeString("PROGRAM", "obdracposldog", "20");
    QByteArray expected = Sample;
    expected.replace("ObdracPoslDog=10\r\n", "ObdracPoslDog=20\r\n");
    EXPECT_EQ(readFile(path()), expected);

    // A new key goes to the end of its section, before the blank line that separates sections.
    ini.writeString("Database", "ServerName", "strežnik");
    expected.replace("TablePodPath=c:\\\r\n", "TablePodPath=c:\\\r\nServerName=strežnik\r\n");
    EXPECT_EQ(readFile(path()), expected);

    // A new section is appended with the file's own line ending.
    ini.writeString("FormCord", "MainLeft", "-20");
    expected += "[FormCord]\r\nMainLeft=-20\r\n";
    EXPECT_EQ(readFile(path()), expected);
    EXPECT_EQ(ini.readInteger("FormCord", "MainLeft", 0), -20);
    EXPECT_EQ(ini.readString("Database", "ServerName", ""), QString("strežnik"));
}

TEST_F(IniFileTest, WrittenValuesReadBackUnchanged)
{
    IniFile ini(path());
    const QStringList values{"", "  blanks at both ends  ", "\"quoted\"", "'single'", "a=b;c", "Račun ščž ĐĆ",
                             "\"half"};
    for (const QString& v : values) {
        ini.writeString("Dodatno", "01", v);
        EXPECT_EQ(ini.readString("Dodatno", "01", "default"), v) << v.toStdString();
    }
    ini.writeString("Dodatno", "02", "two\r\nlines");
    EXPECT_EQ(ini.readString("Dodatno", "02", ""), QString("two lines"));
    ini.writeBool("Program", "ShraniForm", true);
    EXPECT_EQ(ini.readString("Program", "ShraniForm", ""), QString("1"));
    ini.writeInteger("Program", "Count", -5);
    EXPECT_EQ(ini.readInteger("Program", "Count", 0), -5);
}

TEST_F(IniFileTest, RefusesNamesThatCannotBeStored)
{
    IniFile ini(path());
    EXPECT_THROW(ini.writeString("", "Key", "x"), IniFileError);
    EXPECT_THROW(ini.writeString("Program", " ", "x"), IniFileError);
    EXPECT_THROW(ini.writeString("Program", "a=b", "x"), IniFileError);
    EXPECT_THROW(ini.writeString("Pro]gram", "a", "x"), IniFileError);
    EXPECT_EQ(readFile(path()), Sample);
}

TEST(IniFileCreate, CreatesFolderAndFileAndKeepsOtherLinesThatAreNotUtf8)
{
    ScratchDir dir;
    const QString file = dir.file("sub/folder/new.ini");
    IniFile ini(file);
    EXPECT_FALSE(ini.exists());
    EXPECT_EQ(ini.readString("Program", "X", "d"), QString("d"));
    ini.writeString("Program", "X", "ž");
    EXPECT_EQ(readFile(file), QByteArray("[Program]\nX=ž\n"));

    // A line in another encoding survives a write of another key.
    const QByteArray legacy = "[Program]\nName=\x8a\x9a\xe8\nY=1";   // no final line end
    writeFile(file, legacy);
    ini.writeString("Program", "Y", "2");
    EXPECT_EQ(readFile(file), QByteArray("[Program]\nName=\x8a\x9a\xe8\nY=2"));
}

TEST(IniFileCreate, ByteOrderMarkIsKept)
{
    ScratchDir dir;
    writeFile(dir.file("b.ini"), "\xEF\xBB\xBF[Program]\nA=1\n");
    IniFile ini(dir.file("b.ini"));
    EXPECT_EQ(ini.readString("Program", "A", ""), QString("1"));
    ini.writeString("Program", "A", "2");
    EXPECT_EQ(readFile(dir.file("b.ini")), QByteArray("\xEF\xBB\xBF[Program]\nA=2\n"));
}

TEST(IniFileCreate, DeleteKeyAndEraseSection)
{
    ScratchDir dir;
    writeFile(dir.file("d.ini"), "[A]\nx=1\ny=2\n[B]\nz=3\n");
    IniFile ini(dir.file("d.ini"));
    EXPECT_EQ(ini.sections(), QStringList({"A", "B"}));
    EXPECT_EQ(ini.sectionKeys("a"), QStringList({"x", "y"}));
    ini.deleteKey("A", "X");
    ini.eraseSection("b");
    EXPECT_EQ(readFile(dir.file("d.ini")), QByteArray("[A]\ny=2\n"));
}

TEST(IniFileName, BareNameIsLookedUpInCurrentFolderThenConfigFolder)
{
    ScratchDir dir;
    QDir().mkpath(dir.file("work"));
    QDir().mkpath(dir.file("config/obdrac"));
    ScopedEnv config("XDG_CONFIG_HOME", dir.file("config"));
    ScopedEnv data("OBDRAC_DATA_DIR", dir.file("data"));
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(dir.file("work"));

    // Nowhere: it will be created in the configuration folder.
    EXPECT_EQ(IniFile::resolveFileName("Vektor.INI"), dir.file("config/obdrac/Vektor.INI"));
    // In the configuration folder, spelled otherwise.
    writeFile(dir.file("config/obdrac/vektor.ini"), "[Program]\n");
    EXPECT_EQ(IniFile::resolveFileName("Vektor.INI"), dir.file("config/obdrac/vektor.ini"));
    // The current folder comes first.
    writeFile(dir.file("work/Vektor.INI"), "[Program]\n");
    EXPECT_EQ(IniFile::resolveFileName("Vektor.INI"), dir.file("work/Vektor.INI"));
    // Paths with folders are not searched; drive paths map into the data folder.
    EXPECT_EQ(IniFile::resolveFileName("sub/x.ini"), dir.file("work/sub/x.ini"));
    EXPECT_EQ(IniFile::resolveFileName("c:\\Vektor\\Vektor.INI"), dir.file("data/Vektor/Vektor.INI"));

    QDir::setCurrent(oldCurrent);
}

TEST(ProgramIni, ReadsAndWritesTheProgramsFileAndLogsFailures)
{
    ScratchDir dir;
    ScopedEnv data("OBDRAC_DATA_DIR", dir.file("data"));
    writeFile(dir.file("p.ini"), "[Program]\nPodjetje=Sintrex\n");
    setProgramIniFile(dir.file("p.ini"));
    EXPECT_EQ(GetStringFromIniFile("Program", "Podjetje", "x"), QString("Sintrex"));
    EXPECT_EQ(GetStringFromIniFile("Program", "Manjka", "x"), QString("x"));
    EXPECT_EQ(GetStringFromIniFile("", "Podjetje", "x"), QString());   // empty names read nothing
    EXPECT_EQ(GetStringFromIniFile("Program", "", "x"), QString());
    WriteStringToIniFile("Program", "Uporabnik", "01");
    WriteStringToIniFile("", "Uporabnik", "02");   // nothing happens
    EXPECT_EQ(readFile(dir.file("p.ini")), QByteArray("[Program]\nPodjetje=Sintrex\nUporabnik=01\n"));

    // A file that cannot be read (here a folder in its place): the default, and entries in the
    // error log.
    QDir().mkpath(dir.file("folder.ini"));
    setProgramIniFile(dir.file("folder.ini"));
    EXPECT_EQ(GetStringFromIniFile("Program", "Podjetje", "x"), QString("x"));
    WriteStringToIniFile("Program", "Uporabnik", "03");
    LocalTable log(QString(), ErrorLogTable);
    log.open();
    ASSERT_EQ(log.recordCount(), 2);
    log.first();
    EXPECT_EQ(log.asString("Operation"), QString("GetStringFromIniFile"));
    EXPECT_EQ(log.asString("ExceptObject"), QString("IniFileError"));
    log.next();
    EXPECT_EQ(log.asString("Operation"), QString("WriteStringToIniFile"));
    setProgramIniFile("Vektor.INI");
}
