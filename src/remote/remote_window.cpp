#include "remote/remote_window.h"

#include "platform/placement.h"
#include "remote/qr_code.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace remote {

namespace {
// The pixels of a code's module. Three codes of 4-pixel modules and the
// conference board's part make the window some 880 pixels tall with its
// frame, too tall for a laptop's 768- or 800-pixel screen, which would hide
// the broker's user and password; there 3-pixel modules, still read from a
// phone held at arm's length, let it open whole.
int qrModule(const QWidget &window)
{
    const QScreen *screen = window.screen();
    return screen && screen->availableGeometry().height() < 900 ? 3 : 4;
}
// How often the shown window reads the network interfaces again, so that
// its links follow a change of network; nothing is read while it is hidden.
constexpr int AddressCheckMs = 2000;
} // namespace

RemoteWindow::RemoteWindow(RemoteSwitches &view) : m_view(view)
{
    setWindowTitle(tr("Remote view"));
    auto *layout = new QVBoxLayout(this);

    auto *serverRow = new QHBoxLayout;
    m_on = new QCheckBox(tr("remote view on"), this);
    m_port = new QSpinBox(this);
    m_port->setRange(1, 65535);
    m_port->setKeyboardTracking(false);
    m_address = new QComboBox(this);
    m_address->setToolTip(tr("The address of this computer that the links name: that of the network "
                             "the phones are on."));
    serverRow->addWidget(m_on);
    serverRow->addSpacing(24);
    serverRow->addWidget(new QLabel(tr("port"), this));
    serverRow->addWidget(m_port);
    serverRow->addSpacing(24);
    serverRow->addWidget(new QLabel(tr("address"), this));
    serverRow->addWidget(m_address);
    serverRow->addStretch();
    layout->addLayout(serverRow);

    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #C00000;"));
    m_problem->setWordWrap(true);
    layout->addWidget(m_problem);

    addLinkRow(tr("view link"), tr("Shows the running talk."), Secrecy::Shown, [this] { return m_view.viewLink(); });
    LinkRow &control = addLinkRow(tr("control link"),
                                  tr("Shows the talk with the buttons \"start\", \"pause\", \"contn.\" and "
                                     "\"reset\"; they work only while \"allow control\" is ticked."),
                                  Secrecy::AfterShow, [this] { return m_view.controlLink(); });
    m_allowControl = new QCheckBox(tr("allow control"), control.group);
    control.group->layout()->addWidget(m_allowControl);
    addLinkRow(tr("chair link"),
               tr("Shows the talk smaller, with the clock, how late or early the session runs, when it will end "
                  "and the talks to come."),
               Secrecy::Shown, [this] { return m_view.chairLink(); });

    for (const RemoteSwitches::WindowPart &part : m_view.windowParts())
        layout->addWidget(part(this));

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
        if (!m_view.isOn() || port == m_view.port())
            return;
        // A server started from the command line moves for this run only.
        if (m_view.servesOnce())
            m_view.serveOnce(quint16(port));
        else
            m_view.turnOn(quint16(port));
    });
    connect(m_address, &QComboBox::activated, this,
            [this](int index) { m_view.chooseAddress(m_address->itemData(index).toString()); });
    connect(m_allowControl, &QCheckBox::toggled, this, [this](bool allowed) {
        if (allowed != m_view.controlAllowed())
            m_view.setControlAllowed(allowed);
    });
    connect(renew, &QPushButton::clicked, this, [this] { m_view.renewLinks(); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    m_view.whenChanged(this, [this] { refresh(); });
    m_addressCheck.setInterval(AddressCheckMs);
    connect(&m_addressCheck, &QTimer::timeout, this, &RemoteWindow::refreshAddresses);
    refreshAddresses();
}

RemoteWindow::LinkRow &RemoteWindow::addLinkRow(const QString &title, const QString &explanation, Secrecy secrecy,
                                                std::function<QString()> link)
{
    auto row = std::make_unique<LinkRow>();
    row->link = std::move(link);
    row->secrecy = secrecy;
    row->group = new QGroupBox(title, this);
    auto *columns = new QHBoxLayout;
    auto *text = new QVBoxLayout;
    row->code = new QLabel(row->group);
    row->code->setAlignment(Qt::AlignCenter);
    // The whole link, never cut: selectable, and wrapped after a "/" when
    // the window is narrower than the link.
    row->address = new QLabel(row->group);
    row->address->setTextFormat(Qt::PlainText);
    row->address->setWordWrap(true);
    row->address->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto *buttons = new QHBoxLayout;
    auto *copy = new QPushButton(tr("copy"), row->group);
    copy->setToolTip(tr("Copies the link, to send it to a phone without showing it."));
    LinkRow *r = row.get();
    connect(copy, &QPushButton::clicked, this, [r] { QGuiApplication::clipboard()->setText(r->link()); });
    if (secrecy == Secrecy::AfterShow) {
        row->show = new QPushButton(row->group);
        connect(row->show, &QPushButton::clicked, this, [this, r] {
            r->revealed = !r->revealed;
            drawLink(*r);
        });
        buttons->addWidget(row->show);
    }
    buttons->addWidget(copy);
    buttons->addStretch();
    auto *note = new QLabel(explanation, row->group);
    note->setWordWrap(true);
    text->addWidget(row->address);
    text->addLayout(buttons);
    text->addWidget(note);
    text->addStretch();
    columns->addWidget(row->code);
    columns->addLayout(text, 1);
    auto *outer = new QVBoxLayout(row->group);
    outer->addLayout(columns);
    layout()->addWidget(row->group);
    m_rows.push_back(std::move(row));
    return *m_rows.back();
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
    const QString host = m_view.linkHost();
    for (int i = 0; i < m_address->count(); ++i) {
        if (m_address->itemData(i).toString() == host)
            m_address->setCurrentIndex(i);
    }
    const bool listening = m_view.isListening();
    for (const std::unique_ptr<LinkRow> &row : m_rows) {
        drawLink(*row);
        row->code->setEnabled(listening);
    }

}

void RemoteWindow::drawLink(LinkRow &row)
{
    const bool shown = row.secrecy == Secrecy::Shown || row.revealed;
    // The code is drawn again only when its link changed; a secret one is
    // not drawn at all until "show", so no screenshot can read it.
    const QString link = shown ? row.link() : QString();
    if (row.show)
        row.show->setText(row.revealed ? tr("hide") : tr("show"));
    if (link == row.drawn && !row.drawn.isEmpty())
        return;
    row.drawn = link;
    if (shown) {
        row.address->setText(link);
        // On one line wherever the screen has room for it; wrapped after a
        // "/" only on a small screen.
        const QScreen *screen = this->screen();
        const int room = screen ? screen->availableGeometry().width() * 3 / 5 : 600;
        row.address->setMinimumWidth(std::min(row.address->fontMetrics().horizontalAdvance(link) + 2, room));
        row.code->setPixmap(QPixmap::fromImage(qrCodeImage(link, qrModule(*this))));
        // Every row keeps the room of a code, shown or not.
        for (const std::unique_ptr<LinkRow> &other : m_rows)
            other->code->setMinimumSize(row.code->pixmap().size());
    } else {
        row.address->setText(tr("hidden: press \"show\" to see it"));
        row.code->setPixmap(QPixmap());
        row.code->setText(tr("hidden"));
    }
}

void RemoteWindow::refreshAddresses()
{
    const QList<LanAddress> addresses = lanAddresses();
    if (addresses != m_addresses || m_address->count() == 0) {
        m_addresses = addresses;
        const QSignalBlocker block(m_address);
        m_address->clear();
        for (const LanAddress &a : addresses)
            m_address->addItem(QStringLiteral("%1 (%2)").arg(a.address, a.interfaceName), a.address);
        if (addresses.isEmpty())
            m_address->addItem(m_view.linkHost(), QString());
        m_address->setEnabled(addresses.size() > 1);
    }
    // The links follow the network even when the list did not change: the
    // chosen address may have come back.
    refresh();
}

void RemoteWindow::showEvent(QShowEvent *event)
{
    refreshAddresses();
    m_addressCheck.start();
    platform::placeOnScreen(*this);
    QWidget::showEvent(event);
}

void RemoteWindow::hideEvent(QHideEvent *event)
{
    m_addressCheck.stop();
    for (const std::unique_ptr<LinkRow> &row : m_rows) {
        if (row->revealed) {
            row->revealed = false;
            drawLink(*row);
        }
    }
    QWidget::hideEvent(event);
}

} // namespace remote
