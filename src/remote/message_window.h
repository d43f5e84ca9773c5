#pragma once

#include "remote/speaker_desk.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;

namespace remote {

// The window from which the timekeeper sends a short message to the
// speaker's pages: the presets, which can be edited here, a line for free
// text, "send" and "clear". The main window never shows the message, since
// the hall may see it.
class MessageWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MessageWindow(SpeakerDesk &view);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void send();
    void storePresets();
    void refresh();

    SpeakerDesk &m_view;
    QListWidget *m_presets = nullptr;
    QLineEdit *m_text = nullptr;
    QLabel *m_shown = nullptr;
    QLabel *m_problem = nullptr;
};

} // namespace remote
