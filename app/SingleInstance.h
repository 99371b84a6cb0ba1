#pragma once

// Holds a per-user lock, in the folder of the program's stores, for as
// long as it lives. The lock is the kernel's, on an open file: it ends with
// the process that holds it, however that process ends, so only a running
// copy can keep another out. What the file holds does not matter. In a
// store folder that another user can change there is no lock at all.
class SingleInstance
{
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // False when another running copy holds the lock.
    bool isFirst() const { return m_first; }

private:
    int m_fd = -1;
    bool m_first = false;
};
