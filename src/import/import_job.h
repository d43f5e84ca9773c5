#pragma once

#include "import/session_choice.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <functional>
#include <optional>

namespace schedule_import {

// "--import FILE [--day YYYY-MM-DD] [--room NAME] [--discussion MINUTES]":
// writes the programme into the working folder without a window, so that it
// runs where there is no display.
class ImportCommand
{
    Q_DECLARE_TR_FUNCTIONS(ImportCommand)
public:
    ImportCommand();
    void addOptions(QCommandLineParser &parser) const;
    // The exit status when the command line asks for an import; no value
    // otherwise. A usage mistake goes to usageError, which gives the status.
    std::optional<int> answer(const QCommandLineParser &parser,
                              const std::function<int(const QString &)> &usageError) const;

private:
    QCommandLineOption m_import;
    QCommandLineOption m_day;
    QCommandLineOption m_room;
    QCommandLineOption m_discussion;
};

// Imports a file as the programme of the working folder, the talks taken
// printed on out and any problem on err. 0 when written; 1 when the file
// cannot be read, holds no talk, or the programme cannot be written; 2 when a
// day or room is to be chosen. Nothing is written unless 0.
int runImport(const QString &path, const SessionChoice &choice, std::FILE *out, std::FILE *err);

} // namespace schedule_import
