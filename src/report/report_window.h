#pragma once

#include "report/report_job.h"
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

    // Reads the log again, off the user interface, and shows its latest
    // session when it is built; "building…" until then.
    void load(const QString &logPath);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showLoaded(const LoadedReport &loaded);
    void save();

    SessionReport m_report;
    QWidget *m_pages = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_save = nullptr;
    int m_generation = 0;
};

} // namespace report
