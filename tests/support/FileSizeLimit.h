#pragma once

#include <csignal>
#include <sys/resource.h>

// For its lifetime, no file of this process may grow beyond `bytes`: the soft RLIMIT_FSIZE is lowered and
// SIGXFSZ ignored, so a write past the limit fails with EFBIG as it would on a full disk, instead of ending
// the process. Both are restored afterwards.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_active = ::getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        if (m_active) {
            rlimit lowered = m_saved;
            lowered.rlim_cur = bytes;
            m_active = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
        }
    }
    ~FileSizeLimit()
    {
        if (m_active) {
            ::setrlimit(RLIMIT_FSIZE, &m_saved);
        }
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isActive() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
    bool m_active = false;
};
