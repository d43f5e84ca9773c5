#pragma once

#include "programme/session_timetable.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QUrl;

namespace programme {

class Programme;

// The session's talks in a table, the current one marked, with "previous",
// "next" and "import…". The window only asks; the main window takes a talk,
// and only while its clock is idle.
class ProgrammeWindow : public QWidget
{
    Q_OBJECT
public:
    ProgrammeWindow(const Programme &programme, QWidget *parent);

    // No other talk can be taken while one runs or is paused.
    void setIdle(bool idle);
    // A line under the table, until the programme changes.
    void showNote(const QString &text);
    // Where the planned and expected times come from; asked every second
    // while the window shows a programme with start times.
    void setTimetableSource(std::function<SessionTimetable()> source);

signals:
    void talkRequested(int index);
    void importRequested(const QString &path);
    void changeoverRequested(int seconds);
    void reportRequested();
    void addressImportRequested(const QUrl &url);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // A timetable file, or a link to one, dropped on the window is imported.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void refresh();
    void updateState();
    void updateTimes();

    const Programme &m_programme;
    QTableWidget *m_table = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_importAddress = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QLabel *m_timetable = nullptr;
    QLabel *m_changeoverLabel = nullptr;
    QSpinBox *m_changeover = nullptr;
    QTimer m_tick;
    std::function<SessionTimetable()> m_source;
    QString m_note;
    bool m_idle = true;
};

} // namespace programme
