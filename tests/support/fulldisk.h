#pragma once

// Full disks for tests.
//
// FullDisk applies to every user, root included: while it lives, regular
// files this process writes end after 100 bytes, and a write beyond that
// fails (EFBIG) instead of the process being stopped.
//
// SmallDisk is a folder on a disk of its own, a tmpfs of 2 MiB mounted for
// the test when it may mount (as root), that fill() fills to its last byte
// and empty() empties again: writes there fail as on a real full disk
// (ENOSPC, SQLite's SQLITE_FULL). Where it cannot be mounted the folder is
// an ordinary one and fill() sets a FullDisk instead.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace ankerblick::test {

class FullDisk {
public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = 100;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
    bool m_active = false;
};

class SmallDisk {
public:
    SmallDisk() {
        m_mounted = m_dir.isValid() &&
                    ::mount("tmpfs", folder().constData(), "tmpfs", 0, "size=2m,mode=0700") == 0;
    }
    // Whatever was opened there must be closed before.
    ~SmallDisk() {
        empty();
        if (m_mounted)
            ::umount2(folder().constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    QString path() const { return m_dir.path(); }
    bool mounted() const { return m_mounted; }

    // True when the disk is full now.
    bool fill() {
        if (!m_mounted)
            return m_limit.emplace().active();
        const int fd = ::open(filler().constData(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
        if (fd < 0)
            return false;
        static const char block[4096] = {};
        while (::write(fd, block, sizeof block) > 0) {
        }
        while (::write(fd, block, 1) > 0) {
        }
        const bool full = errno == ENOSPC;
        ::close(fd);
        return full;
    }
    void empty() {
        m_limit.reset();
        if (m_mounted)
            ::unlink(filler().constData());
    }

private:
    QByteArray folder() const { return QFile::encodeName(m_dir.path()); }
    QByteArray filler() const { return folder() + "/fuellung"; }

    QTemporaryDir m_dir;
    bool m_mounted = false;
    std::optional<FullDisk> m_limit;
};

} // namespace ankerblick::test
