#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <optional>

// The program's own options. --help and --version are answered before the
// application object exists, so they work without a display and never open
// a window or the sound device. A word the parser does not know may be one
// of Qt's own options (-platform, -style, -reverse...), which only
// QApplication knows and takes out of the arguments: such words are judged
// only after it has done so.
class CommandLine
{
public:
    CommandLine();

    // Before QApplication: the exit status after printing the help or the
    // version, or after a mistake that no option of Qt can explain.
    std::optional<int> answerEarly(int argc, char *argv[]);
    // After QApplication, with its remaining arguments: the exit status
    // after a mistake.
    std::optional<int> checkRest(const QStringList &arguments);

    // Values of options that take one.
    const QCommandLineParser &parser() const { return m_parser; }

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
};
