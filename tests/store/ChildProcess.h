#pragma once

// Helpers for tests that need a second process: one holding the word database while the
// test works on it, or one running with an ordinary user's rights.
#include <QByteArray>
#include <QString>

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace TestSupport {

// Runs `setUp` in a forked child, which then holds whatever it opened until the object
// goes. The parent must hold no SQLite connection when it forks.
class ChildProcess
{
public:
    explicit ChildProcess(const std::function<bool()> &setUp)
    {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            const char ok = setUp() ? '1' : '0';
            (void)!::write(ready[1], &ok, 1);
            char byte;
            while (::read(release[0], &byte, 1) > 0) {
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        m_ready = ready[0];
        m_release = release[1];
    }
    ~ChildProcess()
    {
        if (m_pid <= 0)
            return;
        ::close(m_release);
        ::close(m_ready);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // Waits for the child's set-up; true when it succeeded.
    bool ready()
    {
        char ok = '0';
        return m_pid > 0 && ::read(m_ready, &ok, 1) == 1 && ok == '1';
    }

private:
    pid_t m_pid = -1;
    int m_ready = -1;
    int m_release = -1;
};

// Runs `work` with an ordinary user's rights (user nobody when the tests run as root, in a
// forked child) and gives back the text it returned.
inline QString asOrdinaryUser(const std::function<QString()> &work)
{
    if (::geteuid() != 0)
        return work();
    int out[2];
    if (::pipe(out) != 0)
        return QStringLiteral("<no pipe>");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(out[0]);
        constexpr uid_t Nobody = 65534;
        if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            ::_exit(1);
        const QByteArray text = work().toUtf8();
        (void)!::write(out[1], text.constData(), size_t(text.size()));
        ::_exit(0);
    }
    ::close(out[1]);
    QByteArray text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return QString::fromUtf8(text);
}

} // namespace TestSupport
