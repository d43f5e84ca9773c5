#include "board/mqtt_client.h"

#include "board/broker_fixture.h"

#include <QSignalSpy>
#include <QTest>

using board::MqttClient;

namespace {

board::MqttSettings settingsFor(const BrokerFixture &broker, const QString &user = {}, const QString &password = {})
{
    board::MqttSettings settings;
    settings.address = std::get<board::BrokerAddress>(board::parseBrokerAddress(broker.url(QStringLiteral("conf"), user)));
    settings.password = password;
    return settings;
}

} // namespace

class TestMqttClient : public QObject
{
    Q_OBJECT
private slots:
    // A retained message reaches a later subscriber, with and without a
    // password file; a wrong password is refused in words.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("anonymous") << "" << "" << "" << true;
        QTest::newRow("password file") << "hall" << "s3cret wörd" << "s3cret wörd" << true;
        QTest::newRow("wrong password") << "hall" << "s3cret" << "guess" << false;
    }
    void roundTrip()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, given);
        QFETCH(bool, accepted);
        BrokerFixture broker(user, password);
        QVERIFY2(broker.ready(), qPrintable(broker.problem()));

        MqttClient publisher;
        QCOMPARE(publisher.start(settingsFor(broker, user, given)), QString());
        publisher.publish(QStringLiteral("conf/Room 2/state"), QByteArrayLiteral("{\"a\":1}"));
        if (!accepted) {
            QTRY_COMPARE_WITH_TIMEOUT(publisher.state(), MqttClient::State::Refused, 10000);
            QVERIFY2(publisher.stateText().contains(QLatin1String("refused")), qPrintable(publisher.stateText()));
            return;
        }
        QTRY_VERIFY2_WITH_TIMEOUT(publisher.state() == MqttClient::State::Connected, qPrintable(publisher.stateText()),
                                  10000);

        MqttClient subscriber;
        QSignalSpy received(&subscriber, &MqttClient::message);
        subscriber.subscribe(QStringLiteral("conf/+/state"));
        QCOMPARE(subscriber.start(settingsFor(broker, user, given)), QString());
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 10000);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("conf/Room 2/state"));
        QCOMPARE(received.at(0).at(1).toByteArray(), QByteArrayLiteral("{\"a\":1}"));
    }

    // A restarted broker has lost what was retained: it is sent again, and
    // the subscriptions are made again.
    void brokerRestart()
    {
        BrokerFixture broker;
        QVERIFY2(broker.ready(), qPrintable(broker.problem()));
        MqttClient publisher;
        MqttClient subscriber;
        QSignalSpy received(&subscriber, &MqttClient::message);
        subscriber.subscribe(QStringLiteral("conf/#"));
        publisher.start(settingsFor(broker));
        subscriber.start(settingsFor(broker));
        publisher.publish(QStringLiteral("conf/r/online"), QByteArrayLiteral("true"));
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 10000);

        broker.stop();
        QTRY_COMPARE_WITH_TIMEOUT(publisher.state(), MqttClient::State::Waiting, 10000);
        QVERIFY2(broker.start(), qPrintable(broker.problem()));
        // The back-off is 1 s then 2 s: both are back within 10 s.
        QTRY_VERIFY_WITH_TIMEOUT(received.count() >= 2, 10000);
        QCOMPARE(received.last().at(1).toByteArray(), QByteArrayLiteral("true"));
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
            QTRY_COMPARE_WITH_TIMEOUT(broker.retained(QStringLiteral("conf/r/online")),
                                      QByteArrayLiteral("conf/r/online true\n"), 10000);
        }
        QCOMPARE(broker.retained(QStringLiteral("conf/r/online")), QByteArrayLiteral("conf/r/online false\n"));
    }
};

QTEST_GUILESS_MAIN(TestMqttClient)
#include "test_mqtt_client.moc"
