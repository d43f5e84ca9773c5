#pragma once

#include "remote/own_host.h"
#include "remote/remote_switches.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace remote {

// The window of the remote view: the three links as text and as QR codes,
// the port, the address they name, on and off, whether the control link may
// press the buttons, new links, and how many pages are open.
class RemoteWindow : public QWidget
{
    Q_OBJECT
public:
    explicit RemoteWindow(RemoteSwitches &view);

    // A link that opens the buttons is drawn only after "show": the laptop
    // is often mirrored to the projector.
    enum class Secrecy { Shown, AfterShow };

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // One link's row: its caption, the whole link as selectable text, a
    // "copy" button, its QR code, and for a secret link a "show" button.
    struct LinkRow {
        std::function<QString()> link;
        Secrecy secrecy = Secrecy::Shown;
        QGroupBox *group = nullptr;
        QLabel *address = nullptr;
        QLabel *code = nullptr;
        QPushButton *show = nullptr;
        bool revealed = false;
        QString drawn; // the link its text and code show now
    };
    LinkRow &addLinkRow(const QString &title, const QString &explanation, Secrecy secrecy,
                        std::function<QString()> link);
    void refresh();
    void drawLink(LinkRow &row);
    void refreshAddresses();

    RemoteSwitches &m_view;
    QCheckBox *m_on = nullptr;
    QSpinBox *m_port = nullptr;
    QComboBox *m_address = nullptr;
    QCheckBox *m_allowControl = nullptr;
    QLabel *m_viewers = nullptr;
    QLabel *m_problem = nullptr;
    std::vector<std::unique_ptr<LinkRow>> m_rows;
    QList<LanAddress> m_addresses;
    // The window follows a change of network while it is shown.
    QTimer m_addressCheck;

};

} // namespace remote
