#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>

#include <sys/resource.h>

// The whole content of a file, or nothing when it cannot be read.
inline QByteArray readAll(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes a file whole; false when it could not.
inline bool writeFile(const QString &name, const QByteArray &content)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

// While it lives, no file of this process can grow beyond the given size: a
// write that crosses it is cut short, as on a disk that fills up, instead
// of ending the process with SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_previous); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_previous{};
};
