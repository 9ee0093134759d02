#include "printing/ReportStartDataSet.h"

#include "data/TableRoutines.h"
#include "data/dataset/TwwOEDataSet.h"
#include "data/local/LocalTable.h"
#include "reports/ReportDataSource.h"

ReportStartDataSet::ReportStartDataSet(TwwOEDataSet& dataSet) : m_dataSet(&dataSet), m_name(dataSet.Name()) {}

ReportStartDataSet::ReportStartDataSet(LocalTable& table, const QString& name) : m_table(&table), m_name(name) {}

QString ReportStartDataSet::name() const
{
    return m_name;
}

bool ReportStartDataSet::isOpen() const
{
    if (m_dataSet)
        return m_dataSet->Active();
    return m_table && m_table->isOpen();
}

void ReportStartDataSet::open() const
{
    if (m_dataSet)
        OpenTable(*m_dataSet, true);
    else if (m_table)
        OpenTable(*m_table, m_name, true);
}

void ReportStartDataSet::first() const
{
    if (m_dataSet)
        m_dataSet->First();
    else if (m_table)
        m_table->first();
}

bool ReportStartDataSet::eof() const
{
    if (m_dataSet)
        return m_dataSet->Eof();
    return !m_table || m_table->eof();
}

std::shared_ptr<ReportDataSource> ReportStartDataSet::reportSource() const
{
    if (m_dataSet)
        return std::make_shared<DataSetReportSource>(*m_dataSet, m_name);
    if (m_table)
        return std::make_shared<LocalTableReportSource>(*m_table, m_name);
    return nullptr;
}
