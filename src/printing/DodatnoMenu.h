#pragma once
#include <QString>

#include <functional>
#include <vector>

// The menu "Dodatno": programs that the administrator adds through the configuration file.
//
//   [Dodatno]
//   01=Izvoz v banko;/opt/banka/izvoz --firma "Moje podjetje"
//   02=Beležka;gedit
//
// Each value is a caption, a ";" and a command line. Keys run from "01" to "99" and the scan
// stops at the first missing key. [Program] PoslDogMainMenuLevel (default "15") is the number of
// items per menu column.

// One entry of the built menu: an item, or the empty item that starts a new column.
struct DodatnoMenuEntry {
    QString name;        // "Dodatno" + the two-digit key; empty for a column break
    QString caption;     // text before the first ";" of the value
    bool columnBreak = false;
};

// The entries of the menu as the configuration file gives them now. A PoslDogMainMenuLevel that
// is not a whole number raises EConvertError (before any entry is made).
std::vector<DodatnoMenuEntry> DodatnoMenuEntries();

// The two-digit key of a built item's name ("Dodatno07" -> "07").
QString DodatnoKeyOf(const QString& itemName);

// The command line of a value: the text after the first ";" (the whole value when it has none),
// at most 255 characters.
QString DodatnoCommandLine(const QString& value);

// Starts a command line as a separate program (TWinExec with the normal show mode); tests may
// put another starter in its place.
using DodatnoStarter = std::function<int(const QString& commandLine, int showMode)>;

// The click on a built item: the item's entry is read again from the configuration file (a
// changed command line takes effect at once); an empty entry does nothing; otherwise its
// command line is started. A failure is logged under "DodatnoCall-" + key. Returns the
// starter's result, or 0 when nothing was started.
int DodatnoCall(const QString& itemName, const DodatnoStarter& starter = {});
