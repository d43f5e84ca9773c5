#pragma once

#include "fakes/recording_players.h"
#include "platform/auto_label.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "settings/declare.h"
#include "timer/form1.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// A main window started in an empty working folder, with players that
// record their commands and messages that are collected instead of shown.
struct Form1Fixture {
    explicit Form1Fixture(QSize client = QSize(800, 400))
    {
        platform::installFontSubstitutes();
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        platform::setMessageSink([this](const QString &text) { messages << text; });
        platform::setQuestionSink([this](const QString &text) {
            questions << text;
            return false;
        });
        RunState = 0;
        TickCount = 0;
        form = std::make_unique<Form1>(players);
        form->resize(client);
    }

    ~Form1Fixture()
    {
        form.reset();
        platform::setMessageSink({});
        platform::setQuestionSink({});
        QDir::setCurrent(previous);
    }

    Form1Fixture(const Form1Fixture &) = delete;
    Form1Fixture &operator=(const Form1Fixture &) = delete;

    // Starts the program, then stops the real tick so that only the test
    // drives the clock, even while a redraw lets events run.
    void load()
    {
        form->Form_Load();
        form->timer1().setInterval(0);
    }

    // Ticks until the clock has counted that many more seconds.
    void runSeconds(int seconds)
    {
        for (int i = 0; i < seconds * TicksPerSecond; ++i)
            form->Timer1_Timer();
    }

    QTemporaryDir folder;
    QString previous;
    RecordingPlayers players;
    QStringList messages;
    // Questions asked; each is answered by going on without a retry.
    QStringList questions;
    std::unique_ptr<Form1> form;
};
