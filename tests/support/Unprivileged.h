#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <sys/types.h>
#include <unistd.h>

// For one scope, file permissions apply to this process as to an ordinary user: root
// takes the effective identity of "nobody" (and takes root back at the end); anyone
// else is such a user already. A folder of mode 0555 is then truly not writable.
class Unprivileged
{
public:
    static constexpr uid_t Nobody = 65534;

    Unprivileged()
    {
        if (::geteuid() == 0)
            m_wasRoot = ::setegid(Nobody) == 0 && ::seteuid(Nobody) == 0;
    }
    ~Unprivileged()
    {
        if (m_wasRoot) {
            [[maybe_unused]] const int u = ::seteuid(0);
            [[maybe_unused]] const int g = ::setegid(0);
        }
    }
    Unprivileged(const Unprivileged &) = delete;
    Unprivileged &operator=(const Unprivileged &) = delete;

    // False when root could not give up its rights: the scope would prove nothing.
    bool active() const { return ::geteuid() != 0; }

private:
    bool m_wasRoot = false;
};
#endif
