#pragma once
// The recent-file list of the File menu, kept in the user's settings under
// "Recent File List" as "File1" .. "File9", most recent first.

#include <QString>
#include <QStringList>

namespace gyr {

class RecentFiles {
public:
    // Reads the list from the settings.
    void Load();
    // Puts the path first (absolute, once), drops the oldest beyond nine
    // and writes the list back.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }

private:
    void Save() const;
    QStringList m_files;
};

// "&1 name" for the first entry; the folder is left out.
QString RecentFileMenuText(int index, const QString& path);

}  // namespace gyr
