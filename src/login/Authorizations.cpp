#include "Authorizations.h"

#include "LoginRules.h"

#include "data/DataSif.h"
#include "data/Guard.h"
#include "data/ProgramState.h"
#include "data/SqlLiterals.h"
#include "data/THstmt.h"

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
