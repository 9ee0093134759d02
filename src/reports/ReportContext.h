#pragma once
#include <QDateTime>
#include <QMap>
#include <QString>

// What a report run knows besides its data.
struct ReportContext {
    QString reportName;        // name of the definition (shown by system data "report name")
    QString title;             // title of the printout (caption, PDF title, file names)
    QString companyName;       // the signed-in company
    QDateTime printDateTime = QDateTime::currentDateTime();
    QString iniFilePath;       // configuration file read by INI(section, key, default)
    QString userName;
    // Criteria of the printout, read by CRITERIA('Obdobje') in expressions (case ignored).
    QMap<QString, QString> criteria;

    void setCriterion(const QString& key, const QString& value) { criteria.insert(key, value); }
    // The value of a criterion, case ignored; empty when absent.
    QString criterion(const QString& key) const;
};
