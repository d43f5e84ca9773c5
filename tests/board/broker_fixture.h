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

    enum class Transport { Plain, Tls };

    // With a user, only that user with that password gets in. With TLS, the
    // broker's certificate for 127.0.0.1 is signed by a certificate
    // authority made for the test, in caFile().
    explicit BrokerFixture(const QString &user = {}, const QString &password = {},
                           Transport transport = Transport::Plain)
        : m_tls(transport == Transport::Tls)
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
        if (m_tls) {
            m_ready = m_ready && makeCertificates();
            config += QStringLiteral("cafile %1\ncertfile %2\nkeyfile %3\n")
                          .arg(caFile(), m_dir.filePath(QStringLiteral("server.crt")),
                               m_dir.filePath(QStringLiteral("server.key")));
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
        const QString scheme = m_tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt");
        return QStringLiteral("%1://%2%3:%4/%5")
            .arg(scheme, login, QStringLiteral("127.0.0.1"), QString::number(m_port), prefix);
    }
    // The certificate authority that signed a TLS broker's certificate.
    QString caFile() const { return m_dir.filePath(QStringLiteral("ca.crt")); }

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
    // the pattern, as mosquitto_sub prints them ("topic payload" lines),
    // gathered for 2 s, or until that many have come.
    QByteArray retained(const QString &pattern, const QString &user = {}, const QString &password = {},
                        int count = 0) const
    {
        QStringList arguments{QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                              QString::number(m_port), QStringLiteral("-t"), pattern, QStringLiteral("-v"),
                              QStringLiteral("--retained-only"), QStringLiteral("-W"), QStringLiteral("2")};
        if (count > 0)
            arguments << QStringLiteral("-C") << QString::number(count);
        if (!user.isEmpty())
            arguments << QStringLiteral("-u") << user << QStringLiteral("-P") << password;
        if (m_tls)
            arguments << QStringLiteral("--cafile") << caFile();
        QProcess sub;
        sub.start(QStringLiteral("/usr/bin/mosquitto_sub"), arguments);
        sub.waitForFinished(10000);
        return sub.readAllStandardOutput();
    }

private:
    // A certificate authority and the broker's certificate for 127.0.0.1,
    // made by openssl as an administrator would.
    bool makeCertificates() const
    {
        const auto openssl = [this](const QString &command) {
            QProcess process;
            process.setWorkingDirectory(m_dir.path());
            process.start(QStringLiteral("openssl"), command.split(QLatin1Char(' ')));
            return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
                   process.exitCode() == 0;
        };
        QFile extensions(m_dir.filePath(QStringLiteral("san.ext")));
        const bool written =
            extensions.open(QIODevice::WriteOnly) && extensions.write("subjectAltName=IP:127.0.0.1\n") > 0;
        extensions.close();
        const QString key = QStringLiteral("-newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes");
        return written &&
               openssl(QStringLiteral("req -x509 %1 -days 2 -subj /CN=Test-CA -keyout ca.key -out ca.crt").arg(key)) &&
               openssl(QStringLiteral("req %1 -subj /CN=127.0.0.1 -keyout server.key -out server.csr").arg(key)) &&
               openssl(QStringLiteral("x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 "
                                      "-extfile san.ext -out server.crt"));
    }

    QString configPath() const { return m_dir.filePath(QStringLiteral("mosquitto.conf")); }

    QTemporaryDir m_dir;
    bool m_tls = false;
    quint16 m_port = 0;
    bool m_ready = true;
    std::unique_ptr<QProcess> m_process;
};
