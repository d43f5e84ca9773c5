#include "board/mqtt_client.h"

#include "board/broker_fixture.h"

#include <QSignalSpy>

#include <algorithm>
#include <QTest>

using board::MqttClient;

namespace {

board::MqttSettings settingsFor(const BrokerFixture &broker, const QString &user = {}, const QString &password = {})
{
    board::MqttSettings settings;
    const auto address = board::parseBrokerAddress(broker.url(QStringLiteral("conf"), user));
    settings.address = std::get<board::BrokerAddress>(address);
    settings.password = password;
    return settings;
}

} // namespace

class TestMqttClient : public QObject
{
    Q_OBJECT
private slots:
    // A retained message reaches a later subscriber, with and without a
    // password file, and over TLS checked against the broker's certificate
    // authority; a wrong password is refused in words, and a certificate
    // no trusted authority signed is never accepted.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("tls");
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<MqttClient::State>("state");
        QTest::newRow("anonymous") << "" << "" << "" << false << false << MqttClient::State::Connected;
        QTest::newRow("password file") << "hall" << "s3cret wörd" << "s3cret wörd" << false << false
                                       << MqttClient::State::Connected;
        QTest::newRow("wrong password") << "hall" << "s3cret" << "guess" << false << false
                                        << MqttClient::State::Refused;
        QTest::newRow("TLS with its CA file") << "hall" << "s3cret" << "s3cret" << true << true
                                              << MqttClient::State::Connected;
        QTest::newRow("TLS with the system's CAs") << "" << "" << "" << true << false << MqttClient::State::Waiting;
    }
    void roundTrip()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, given);
        QFETCH(bool, tls);
        QFETCH(bool, trusted);
        QFETCH(MqttClient::State, state);
        BrokerFixture broker(user, password, tls ? BrokerFixture::Transport::Tls : BrokerFixture::Transport::Plain);
        QVERIFY2(broker.ready(), qPrintable(broker.problem()));
        board::MqttSettings settings = settingsFor(broker, user, given);
        if (trusted)
            settings.caFile = broker.caFile();

        MqttClient publisher;
        QSignalSpy states(&publisher, &MqttClient::stateChanged);
        QCOMPARE(publisher.start(settings), QString());
        publisher.publish(QStringLiteral("conf/Room 2/state"), QByteArrayLiteral("{\"a\":1}"));
        QTRY_VERIFY2_WITH_TIMEOUT(publisher.state() == state, qPrintable(publisher.stateText()), 10000);
        if (tls && !trusted) {
            // Tried again, and refused again for its certificate, not
            // given up as an invalid call.
            QTRY_VERIFY2_WITH_TIMEOUT(publisher.stateText().contains(QLatin1String("trying again in 2 s")),
                                      qPrintable(publisher.stateText()), 10000);
            QVERIFY2(publisher.stateText().contains(QLatin1String("TLS")), qPrintable(publisher.stateText()));
        }
        if (state != MqttClient::State::Connected) {
            const bool everConnected = std::any_of(states.begin(), states.end(), [](const QList<QVariant> &words) {
                return words.at(0).toString().startsWith(QLatin1String("connected"));
            });
            QVERIFY2(!everConnected, qPrintable(publisher.stateText()));
            return;
        }

        MqttClient subscriber;
        QSignalSpy received(&subscriber, &MqttClient::message);
        subscriber.subscribe(QStringLiteral("conf/+/state"));
        QCOMPARE(subscriber.start(settings), QString());
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 10000);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("conf/Room 2/state"));
        QCOMPARE(received.at(0).at(1).toByteArray(), QByteArrayLiteral("{\"a\":1}"));
    }

    // Stopping says the will itself: a clean goodbye reads as a vanishing.
    void stopSaysTheWill()
    {
        BrokerFixture broker;
        QVERIFY2(broker.ready(), qPrintable(broker.problem()));
        board::MqttSettings settings = settingsFor(broker);
        settings.will = board::MqttMessage{QStringLiteral("conf/r/online"), QByteArrayLiteral("false")};
        {
            MqttClient publisher;
            publisher.start(settings);
            publisher.publish(QStringLiteral("conf/r/online"), QByteArrayLiteral("true"));
            QTRY_COMPARE_WITH_TIMEOUT(broker.retained(QStringLiteral("conf/r/online"), {}, {}, 1),
                                      QByteArrayLiteral("conf/r/online true\n"), 10000);
        }
        QCOMPARE(broker.retained(QStringLiteral("conf/r/online"), {}, {}, 1),
                 QByteArrayLiteral("conf/r/online false\n"));
    }
};

QTEST_GUILESS_MAIN(TestMqttClient)
#include "test_mqtt_client.moc"
