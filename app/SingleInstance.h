#pragma once

#include <QLockFile>

// Holds a per-user lock, in the folder of the program's stores, for as
// long as it lives. A lock left behind by a run that ended without
// releasing it (a crash, a kill) does not count: its process is gone.
class SingleInstance
{
public:
    SingleInstance();

    // False when another running copy holds the lock.
    bool isFirst() const { return m_first; }

private:
    QLockFile m_lock;
    bool m_first = false;
};
