#include "remote/remote_window.h"

#include "remote/qr_code.h"
#include "remote/remote_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace remote {

namespace {
constexpr int QrModule = 4;
} // namespace

RemoteWindow::RemoteWindow(RemoteView &view) : m_view(view)
{
    setWindowTitle(tr("Remote view"));
    auto *layout = new QVBoxLayout(this);

    auto *serverRow = new QHBoxLayout;
    m_on = new QCheckBox(tr("remote view on"), this);
    m_port = new QSpinBox(this);
    m_port->setRange(1, 65535);
    m_port->setKeyboardTracking(false);
    serverRow->addWidget(m_on);
    serverRow->addSpacing(24);
    serverRow->addWidget(new QLabel(tr("port"), this));
    serverRow->addWidget(m_port);
    serverRow->addStretch();
    layout->addLayout(serverRow);

    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #C00000;"));
    m_problem->setWordWrap(true);
    layout->addWidget(m_problem);

    auto *links = new QHBoxLayout;
    layout->addLayout(links);
    m_viewLink = addLinkBox(tr("view link"), tr("Shows the running talk."));
    m_allowControl = new QCheckBox(tr("allow control"), this);
    m_controlLink = addLinkBox(tr("control link"), tr("Shows the talk with the buttons \"start\", \"pause\", "
                                                      "\"contn.\" and \"reset\"; they work only while "
                                                      "\"allow control\" is ticked."));
    m_chairLink = addLinkBox(tr("chair link"), tr("Shows the talk smaller, with the clock, how late or early "
                                                  "the session runs, when it will end and the talks to come."));
    for (QWidget *box : {m_viewLink.code->parentWidget(), m_controlLink.code->parentWidget(),
                         m_chairLink.code->parentWidget()})
        links->addWidget(box);
    m_controlLink.code->parentWidget()->layout()->addWidget(m_allowControl);

    auto *bottomRow = new QHBoxLayout;
    auto *renew = new QPushButton(tr("new links"), this);
    renew->setToolTip(tr("Makes every link anew; every open page is dropped."));
    m_viewers = new QLabel(this);
    auto *close = new QPushButton(tr("close"), this);
    bottomRow->addWidget(renew);
    bottomRow->addSpacing(24);
    bottomRow->addWidget(m_viewers);
    bottomRow->addStretch();
    bottomRow->addWidget(close);
    layout->addLayout(bottomRow);

    connect(m_on, &QCheckBox::toggled, this, [this](bool on) {
        if (on == m_view.isOn())
            return;
        if (on)
            m_view.turnOn(quint16(m_port->value()));
        else
            m_view.turnOff();
    });
    connect(m_port, &QSpinBox::valueChanged, this, [this](int port) {
        if (m_view.isOn() && port != m_view.port())
            m_view.turnOn(quint16(port));
    });
    connect(m_allowControl, &QCheckBox::toggled, this, [this](bool allowed) {
        if (allowed != m_view.controlAllowed())
            m_view.setControlAllowed(allowed);
    });
    connect(renew, &QPushButton::clicked, &m_view, &RemoteView::renewLinks);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(&m_view, &RemoteView::changed, this, &RemoteWindow::refresh);
    refresh();
}

RemoteWindow::LinkBox RemoteWindow::addLinkBox(const QString &title, const QString &explanation)
{
    auto *group = new QGroupBox(title, this);
    auto *column = new QVBoxLayout(group);
    LinkBox box;
    box.code = new QLabel(group);
    box.code->setAlignment(Qt::AlignCenter);
    box.address = new QLabel(group);
    box.address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.address->setAlignment(Qt::AlignCenter);
    auto *note = new QLabel(explanation, group);
    note->setWordWrap(true);
    column->addWidget(box.code);
    column->addWidget(box.address);
    column->addWidget(note);
    return box;
}

void RemoteWindow::refresh()
{
    const QSignalBlocker blockOn(m_on);
    const QSignalBlocker blockPort(m_port);
    const QSignalBlocker blockControl(m_allowControl);
    m_on->setChecked(m_view.isOn());
    m_port->setValue(m_view.port());
    m_allowControl->setChecked(m_view.controlAllowed());
    m_viewers->setText(tr("viewers connected: %1").arg(m_view.viewerCount()));
    m_problem->setText(m_view.problem());
    m_problem->setVisible(!m_view.problem().isEmpty());
    // The codes are drawn again only when an address changed.
    const QString view = m_view.viewLink();
    const QString control = m_view.controlLink();
    if (view != m_shownView)
        showLink(m_viewLink, view);
    if (control != m_shownControl)
        showLink(m_controlLink, control);
    const QString chair = m_view.chairLink();
    if (chair != m_shownChair)
        showLink(m_chairLink, chair);
    m_shownView = view;
    m_shownControl = control;
    m_shownChair = chair;
    const bool listening = m_view.isListening();
    for (const LinkBox *box : {&m_viewLink, &m_controlLink, &m_chairLink})
        box->code->setEnabled(listening);
}

void RemoteWindow::showLink(const LinkBox &box, const QString &link)
{
    box.address->setText(link);
    box.code->setPixmap(QPixmap::fromImage(qrCodeImage(link, QrModule)));
}

} // namespace remote
