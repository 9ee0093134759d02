#include "Authorizations.h"

#include "LoginRules.h"

#include "data/DataSif.h"
#include "data/log/Guard.h"
#include "data/core/ProgramState.h"
#include "data/core/SqlLiterals.h"
#include "data/odbc/THstmt.h"

void LoadAuthorizations(THstmt& q, const QString& userId, QStringList& authorizations, QStringList& functionTree)
{
    authorizations.clear();
    functionTree.clear();
    q.Close();
    q.setSQL("SELECT Funkcija, Dovoljeno, DniZaSpremembo FROM Avtor WHERE UserID = " + sqlQuotedStr(userId));
    q.Execute();
    int rows = 0;
    while (q.FetchNext()) {
        authorizations.append(AuthorizationEntry(q.ColumnAsString(1), q.ColumnAsString(2), q.ColumnAsString(3)));
        ++rows;
    }
    q.Close();
    if (NeedsFunctionTree(rows)) {
        q.setSQL("SELECT Funkcija, FunkcijaNad FROM AvtorFunkcija");
        q.Execute();
        while (q.FetchNext())
            functionTree.append(FunctionTreeEntry(q.ColumnAsString(1), q.ColumnAsString(2)));
        q.Close();
    }
}

void PrenosAvtorNaTemp()
{
    UserAuthorizations.clear();
    FunctionTree.clear();
    THstmt* q = DataSif ? &DataSif->qQuery0 : nullptr;
    guard("PrenosAvtorNaTemp", q, [&] {
        if (!q)
            requireDataSif();
        try {
            LoadAuthorizations(*q, CurrentUserID, UserAuthorizations, FunctionTree);
        } catch (...) {
            q->Close();
            throw;
        }
    });
}
