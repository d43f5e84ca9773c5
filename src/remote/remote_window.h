#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace remote {

class RemoteView;

// The window of the remote view: the three links as text and as QR codes, the
// port, on and off, whether the control link may press the buttons, new
// links, and how many pages are open.
class RemoteWindow : public QWidget
{
    Q_OBJECT
public:
    explicit RemoteWindow(RemoteView &view);

private:
    struct LinkBox {
        QLabel *address = nullptr;
        QLabel *code = nullptr;
    };
    LinkBox addLinkBox(const QString &title, const QString &explanation);
    void refresh();
    void showLink(const LinkBox &box, const QString &link);

    RemoteView &m_view;
    QCheckBox *m_on = nullptr;
    QSpinBox *m_port = nullptr;
    QCheckBox *m_allowControl = nullptr;
    QLabel *m_viewers = nullptr;
    QLabel *m_problem = nullptr;
    LinkBox m_viewLink;
    LinkBox m_controlLink;
    LinkBox m_chairLink;
    QString m_shownView;
    QString m_shownControl;
    QString m_shownChair;
};

} // namespace remote
