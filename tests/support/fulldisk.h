#pragma once

// A full disk that applies to every user, root included: while it lives,
// regular files this process writes end after 100 bytes, and a write beyond
// that fails (EFBIG) instead of the process being stopped.

#include <csignal>
#include <sys/resource.h>

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

} // namespace ankerblick::test
