#include "desktop/recent_files.h"

#include <QFileInfo>
#include <QSettings>

#include "control/menu_tree.h"

namespace gyr {

namespace {
constexpr const char* kGroup = "Recent File List";

QString Key(int i) {
    return QString("File%1").arg(i + 1);
}
}  // namespace

void RecentFiles::Load() {
    QSettings settings;
    settings.beginGroup(kGroup);
    m_files.clear();
    for (int i = 0; i < kRecentFileCount; ++i) {
        QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path)) m_files << path;
    }
}

void RecentFiles::Add(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(full);
    m_files.prepend(full);
    while (m_files.size() > kRecentFileCount) m_files.removeLast();
    Save();
}

void RecentFiles::Remove(const QString& path) {
    if (m_files.removeAll(path) > 0) Save();
}

void RecentFiles::Save() const {
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (i < m_files.size())
            settings.setValue(Key(i), m_files.at(i));
        else
            settings.remove(Key(i));
    }
}

QString RecentFileMenuText(int index, const QString& path) {
    QString name = QFileInfo(path).fileName();
    name.replace("&", "&&");
    return QString("&%1 %2").arg(index + 1).arg(name);
}

}  // namespace gyr
