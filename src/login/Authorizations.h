#pragma once
#include <QString>
#include <QStringList>

class THstmt;

// The signed-in user's authorizations, kept in memory for the whole run after a login:
//   UserAuthorizations  one entry per Avtor row of the user: Funkcija=<Dovoljeno><DniZaSpremembo>
//   FunctionTree        one entry per AvtorFunkcija row: Funkcija=<FunkcijaNad>; loaded only
//                       when the user has no or several Avtor rows
inline QStringList UserAuthorizations;
inline QStringList FunctionTree;

// Reads both lists for the user on the statement (closed before and after).
void LoadAuthorizations(THstmt& statement, const QString& userId, QStringList& authorizations,
                        QStringList& functionTree);

// Fills UserAuthorizations and FunctionTree for CurrentUserID on the data module's qQuery0.
// Failures are logged as "PrenosAvtorNaTemp" (the lists keep what was read).
void PrenosAvtorNaTemp();
