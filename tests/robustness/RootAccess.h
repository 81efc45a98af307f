// Lets a test run as root see the file permissions an ordinary user meets.
#pragma once

#include <linux/capability.h>
#include <linux/securebits.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

// While alive, the calling thread works without the capabilities that let root
// read, write and search past permission bits (and past the immutable flag),
// so a folder made unreadable or read-only refuses root too. access() answers
// as it does for an ordinary user as well: it would otherwise check with every
// permitted capability. The capabilities stay permitted and come back when it
// goes. Tests run their file operations on the main thread, which is the one
// that drops them.
class WithoutRootAccess
{
public:
    WithoutRootAccess()
    {
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH)
                                  | (1u << CAP_FOWNER) | (1u << CAP_LINUX_IMMUTABLE));
        m_securebits = prctl(PR_GET_SECUREBITS);
        m_fixupOff = m_securebits >= 0 && prctl(PR_SET_SECUREBITS, m_securebits | SECBIT_NO_SETUID_FIXUP) == 0;
        m_active = m_fixupOff && syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutRootAccess()
    {
        if (m_active)
            syscall(SYS_capset, &m_header, m_saved);
        if (m_fixupOff)
            prctl(PR_SET_SECUREBITS, m_securebits);
    }
    WithoutRootAccess(const WithoutRootAccess &) = delete;
    WithoutRootAccess &operator=(const WithoutRootAccess &) = delete;

    // False when the capabilities could not be changed (then root still reads everything).
    bool active() const { return m_active || geteuid() != 0; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    int m_securebits = -1;
    bool m_fixupOff = false;
    bool m_active = false;
};
