#pragma once

#include "import/import_dialog.h"
#include "import/timetable_fetch.h"
#include "programme/programme_file.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace schedule_import {

// The programme window's import: reads the file or fetches the address,
// asks for the day, the room and the discussion rule, and hands the chosen
// talks on. Nothing is written here; the main window replaces its programme
// only while its clock is idle.
class ImportFlow : public QObject
{
    Q_OBJECT
public:
    // Dialogs open over window, which owns the flow.
    explicit ImportFlow(QWidget *window);

    void importFile(const QString &path);
    void importAddress(const QUrl &url);

    TimetableFetch &fetch() { return m_fetch; }
    ImportDialog *dialog() const { return m_dialog; }

signals:
    void talksChosen(const QList<programme::Talk> &talks);
    // Why nothing was imported, or what is under way.
    void message(const QString &text);

private:
    void ask(const ImportSource &source);

    QWidget *m_window = nullptr;
    TimetableFetch m_fetch;
    QPointer<ImportDialog> m_dialog;
};

} // namespace schedule_import
