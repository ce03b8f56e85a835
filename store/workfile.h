#pragma once

#include <QString>

namespace store {

// A new file beside the data file, named "<data file>.<purpose>-XXXXXX" and
// locked while this object lives, so that another copy of the program that
// starts meanwhile sees it is in use and leaves it alone. Removed with its
// journal on destruction unless it has been moved into place.
class WorkFile
{
public:
    WorkFile(const QString &dataPath, const QString &purpose);
    ~WorkFile();
    WorkFile(const WorkFile &) = delete;
    WorkFile &operator=(const WorkFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    QString errorString() const { return m_error; }
    QString path() const { return m_path; }
    // It now has another name; nothing is left to remove.
    void markMoved() { m_moved = true; }

private:
    QString m_path;
    QString m_error;
    int m_fd = -1;
    bool m_moved = false;
};

// Removes the work files beside the data file that no running program holds,
// left by one that was killed, with their journals.
void removeAbandonedWorkFiles(const QString &dataPath);

// Makes what was written to the file, and the folder's list of names, last
// through a power cut. False when the system refused.
bool syncFile(const QString &path);
bool syncFolderOf(const QString &path);

} // namespace store
