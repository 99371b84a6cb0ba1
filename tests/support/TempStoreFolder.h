#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

// Points the stores at a temporary folder for the lifetime of a test.
class TempStoreFolder
{
public:
    TempStoreFolder() { usePath(m_dir->path()); }
    ~TempStoreFolder() { qunsetenv("VORLANE_CONFIG_DIR"); }

    QString path() const { return m_dir->path(); }

    // Copies the store files into a new folder and reads from there, so that
    // what follows parses the files afresh instead of reusing cached state.
    void moveToFreshFolder()
    {
        auto fresh = std::make_unique<QTemporaryDir>();
        const QDir from(m_dir->path());
        for (const QString &name : from.entryList(QDir::Files | QDir::Hidden))
            QFile::copy(from.filePath(name), QDir(fresh->path()).filePath(name));
        m_dir = std::move(fresh);
        usePath(m_dir->path());
    }

private:
    static void usePath(const QString &path) { qputenv("VORLANE_CONFIG_DIR", path.toLocal8Bit()); }

    std::unique_ptr<QTemporaryDir> m_dir = std::make_unique<QTemporaryDir>();
};
