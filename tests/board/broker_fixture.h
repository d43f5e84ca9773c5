#pragma once

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Debian's mosquitto broker on 127.0.0.1, on a free port, with a
// configuration written for the test: anonymous, or with a password file
// made by mosquitto_passwd. It can be stopped, killed and started again on
// the same port, as a conference's broker restarts.
class BrokerFixture
{
public:
    static constexpr const char *Program = "/usr/sbin/mosquitto";

    // With a user, only that user with that password gets in.
    explicit BrokerFixture(const QString &user = {}, const QString &password = {})
    {
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost, 0))
            m_port = probe.serverPort();
        probe.close();
        QString config = QStringLiteral("listener %1 127.0.0.1\n"
                                        "persistence false\n"
                                        "log_dest stderr\n"
                                        "log_type error\n"
                                        "log_type warning\n"
                                        // Started as root, it would drop to the
                                        // mosquitto user, who cannot read our files.
                                        "user %2\n")
                             .arg(m_port)
                             .arg(qEnvironmentVariable("USER", QStringLiteral("root")));
        if (user.isEmpty()) {
            config += QStringLiteral("allow_anonymous true\n");
        } else {
            const QString passwords = m_dir.filePath(QStringLiteral("passwords"));
            const int made = QProcess::execute(QStringLiteral("/usr/bin/mosquitto_passwd"),
                                               {QStringLiteral("-c"), QStringLiteral("-b"), passwords, user, password});
            m_ready = made == 0;
            config += QStringLiteral("allow_anonymous false\npassword_file %1\n").arg(passwords);
        }
        QFile file(configPath());
        m_ready = m_ready && file.open(QIODevice::WriteOnly) && file.write(config.toUtf8()) == config.toUtf8().size();
        file.close();
        m_ready = m_ready && m_port != 0 && start();
    }

    ~BrokerFixture() { stop(); }

    // Whether the broker listens; a test that finds it false fails with
    // problem() as its message.
    bool ready() const { return m_ready; }
    QString problem() const
    {
        return QStringLiteral("mosquitto did not listen on 127.0.0.1:%1 within 10 s: %2")
            .arg(m_port)
            .arg(m_process ? QString::fromLocal8Bit(m_process->readAllStandardError()) : QString());
    }
    quint16 port() const { return m_port; }
    QString url(const QString &prefix = QStringLiteral("conf"), const QString &user = {}) const
    {
        const QString login = user.isEmpty() ? QString() : user + QLatin1Char('@');
        return QStringLiteral("mqtt://%1%2:%3/%4").arg(login, QStringLiteral("127.0.0.1"), QString::number(m_port), prefix);
    }

    // Starts the broker and waits until it listens, 10 s at most.
    bool start()
    {
        stop();
        m_process = std::make_unique<QProcess>();
        m_process->setProcessChannelMode(QProcess::SeparateChannels);
        m_process->start(QString::fromLatin1(Program), {QStringLiteral("-c"), configPath()});
        if (!m_process->waitForStarted(10000))
            return false;
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && m_process->state() == QProcess::Running) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, m_port);
            if (probe.waitForConnected(500))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    // Ends the broker as a service manager would, 10 s at most.
    void stop()
    {
        if (!m_process)
            return;
        m_process->terminate();
        if (!m_process->waitForFinished(10000)) {
            m_process->kill();
            m_process->waitForFinished(10000);
        }
        m_process.reset();
    }

    // The subscriber's view: the retained messages of the topics matching
    // the pattern, as mosquitto_sub prints them ("topic payload" lines).
    QByteArray retained(const QString &pattern, const QString &user = {}, const QString &password = {}) const
    {
        QStringList arguments{QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                              QString::number(m_port), QStringLiteral("-t"), pattern, QStringLiteral("-v"),
                              QStringLiteral("--retained-only"), QStringLiteral("-W"), QStringLiteral("2")};
        if (!user.isEmpty())
            arguments << QStringLiteral("-u") << user << QStringLiteral("-P") << password;
        QProcess sub;
        sub.start(QStringLiteral("/usr/bin/mosquitto_sub"), arguments);
        sub.waitForFinished(10000);
        return sub.readAllStandardOutput();
    }

private:
    QString configPath() const { return m_dir.filePath(QStringLiteral("mosquitto.conf")); }

    QTemporaryDir m_dir;
    quint16 m_port = 0;
    bool m_ready = true;
    std::unique_ptr<QProcess> m_process;
};
