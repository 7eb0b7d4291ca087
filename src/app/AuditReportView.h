#pragma once

#include <QDockWidget>
#include <QStringList>
#include <string>
#include <unordered_set>

#include "ModelCompare.h"
#include "SolutionCheck.h"

class QLabel;
class QTableWidget;

// The report of the last solution check or model compare, docked under the views: one line
// per listed finding (kind, name, row, the two values, size). Double-clicking a line asks for
// its row or column to be shown.
class AuditReportView : public QDockWidget {
    Q_OBJECT
public:
    explicit AuditReportView(QWidget* parent = nullptr);

    void showCheck(const CheckReport& report);
    void showCompare(const CompareReport& report, const QString& otherFile);
    void clear();

    QTableWidget* table() const { return m_table; }
    // Names of the listed findings, for marking the detail view's entries.
    const std::unordered_set<std::string>& markedRows() const { return m_rows; }
    const std::unordered_set<std::string>& markedColumns() const { return m_columns; }

signals:
    void nameChosen(const QString& name, bool row);

private:
    // cells: kind, name, row, value, against, size. A coefficient's row is marked too.
    void addLine(const QStringList& cells, const std::string& name, bool row,
                 const std::string& alsoRow);
    void lineActivated(int line);

    QLabel* m_summary;
    QTableWidget* m_table;
    std::unordered_set<std::string> m_rows;
    std::unordered_set<std::string> m_columns;
};
