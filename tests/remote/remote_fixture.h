#pragma once

#include "fakes/form1_fixture.h"
#include "remote/remote_view.h"

#include <QUrl>

// The program started in an empty folder with its remote view on an
// ephemeral port of 127.0.0.1, never on another address, and the tokens of
// its three links.
struct RemoteFixture {
    RemoteFixture()
    {
        f.load();
        remote().turnOn(0, QHostAddress::LocalHost);
        port = remote().server().port();
        view = tokenOf(remote().viewLink());
        control = tokenOf(remote().controlLink());
        chair = tokenOf(remote().chairLink());
    }

    remote::RemoteView &remote() { return f.form->remoteView(); }

    // A link as a browser on this computer opens it.
    QString local(const QByteArray &token, const QString &path = {}) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2%3").arg(port).arg(QString::fromLatin1(token), path);
    }

    static QByteArray tokenOf(const QString &link) { return QUrl(link).path().mid(1).toLatin1(); }

    // The main window's five readout cells.
    QString readout() const
    {
        QString text;
        for (int i = 1; i <= 5; ++i)
            text += f.form->display().digit(i).text();
        return text;
    }

    Form1Fixture f;
    quint16 port = 0;
    QByteArray view;
    QByteArray control;
    QByteArray chair;
};
