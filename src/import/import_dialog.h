#pragma once

#include "import/import_source.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace schedule_import {

// Asks for the day, the room and the discussion rule of an import, and shows
// the talks they take before anything is written.
class ImportDialog : public QDialog
{
    Q_OBJECT
public:
    ImportDialog(ImportSource source, QWidget *parent);

    // The talks the current choice takes; none when it takes nothing.
    const QList<programme::Talk> &talks() const { return m_taken.talks; }

    QComboBox *dayBox() const { return m_day; }
    QComboBox *roomBox() const { return m_room; }
    QRadioButton *fixedDiscussion() const { return m_fixed; }
    QSpinBox *discussionMinutes() const { return m_minutes; }

private:
    void fillRooms();
    void preview();

    const ImportSource m_source;
    const QList<SessionCount> m_sessions;
    SessionTalks m_taken;
    QComboBox *m_day = nullptr;
    QComboBox *m_room = nullptr;
    QRadioButton *m_fifth = nullptr;
    QRadioButton *m_fixed = nullptr;
    QSpinBox *m_minutes = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_status = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};

} // namespace schedule_import
