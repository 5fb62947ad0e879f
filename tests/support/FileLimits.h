#pragma once

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#ifdef Q_OS_WIN

// Windows has no per-process file size limit to stand in for a full disk, no Unix rights
// that Qt could take away, no named pipes among files, and no symbolic links that anyone
// may make (QFile::link makes a shortcut there): the tests that need them skip.
#define SKIP_WITHOUT_UNIX_FILES()                                                                                    \
    GTEST_SKIP() << "needs a file size limit standing in for a full disk, Unix rights, a named pipe or a "         \
                    "symbolic link; Windows has none of them for a test to use"

using rlim_t = qint64;

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t) {}
};

class WithoutRootRights
{
public:
    WithoutRootRights() {}
    static bool rightsHold() { return false; }
};

inline void openToOthers(const QString &) {}

inline bool makeFifo(const QString &)
{
    return false;
}

#else

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#define SKIP_WITHOUT_UNIX_FILES() (void)0

inline bool makeFifo(const QString &path)
{
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// Lets this process write no file beyond a size, as a full disk would: a write past it
// fails with EFBIG instead of raising SIGXFSZ. The former limit comes back at the end.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// Root ignores read and write rights; while this lives, a root process acts as "nobody".
// The folders it needs must then be open to others.
class WithoutRootRights
{
public:
    WithoutRootRights() : m_wasRoot(geteuid() == 0)
    {
        if (m_wasRoot && seteuid(Nobody) != 0)
            m_wasRoot = false;
    }
    ~WithoutRootRights()
    {
        if (m_wasRoot && seteuid(0) != 0)
            std::abort();
    }
    WithoutRootRights(const WithoutRootRights &) = delete;
    WithoutRootRights &operator=(const WithoutRootRights &) = delete;

    static bool rightsHold() { return geteuid() != 0; }

private:
    static constexpr uid_t Nobody = 65534;
    bool m_wasRoot;
};

// A folder everyone may enter, as QTemporaryDir makes its folder private.
inline void openToOthers(const QString &folder)
{
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther |
                                      QFileDevice::ReadGroup | QFileDevice::ExeGroup);
}

#endif
