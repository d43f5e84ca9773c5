#include "import/import_flow.h"

#include "programme/programme.h"

#include <QWidget>

namespace schedule_import {

ImportFlow::ImportFlow(QWidget *window) : QObject(window), m_window(window)
{
    connect(&m_fetch, &TimetableFetch::fetched, this, &ImportFlow::ask);
    connect(&m_fetch, &TimetableFetch::failed, this, &ImportFlow::message);
}

void ImportFlow::importFile(const QString &path) { ask(readImportFile(path)); }

void ImportFlow::importAddress(const QUrl &url)
{
    emit message(tr("Fetching %1 …").arg(url.toDisplayString(QUrl::RemoveUserInfo)));
    m_fetch.fetch(url);
}

void ImportFlow::ask(const ImportSource &source)
{
    // What cannot give a programme at all is said at once, without a dialog.
    const SessionTalks any = takeSession(source, {});
    if (!any.error.isEmpty() && !any.needsChoice) {
        // Events skipped as unreadable may be why it holds no talk.
        emit message(any.problems.isEmpty() ? any.error
                                            : any.error + QLatin1Char('\n') + programme::problemSummary(any.problems));
        return;
    }
    emit message(QString());
    if (m_dialog)
        m_dialog->reject();
    m_dialog = new ImportDialog(source, m_window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->setWindowModality(Qt::WindowModal);
    // The talks are handed on once the dialog's own signal has returned: the
    // main window's redraw runs the pending events, the dialog's deletion
    // among them, and the talks must not live in the dialog by then.
    connect(m_dialog, &QDialog::accepted, this, [this, dialog = m_dialog] {
        QMetaObject::invokeMethod(
            this, [this, talks = dialog->talks()] { emit talksChosen(talks); }, Qt::QueuedConnection);
    });
    m_dialog->open();
}

} // namespace schedule_import
