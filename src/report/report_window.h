#pragma once

#include "report/session_report.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;

namespace report {

// The report of the latest session in the log, drawn as the PDF draws it,
// with buttons to save it as HTML or PDF.
class ReportWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ReportWindow(QWidget *parent);

    // Reads the log again and shows its latest date.
    void load(const QString &logPath);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void save();

    SessionReport m_report;
    QWidget *m_pages = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_save = nullptr;
};

} // namespace report
