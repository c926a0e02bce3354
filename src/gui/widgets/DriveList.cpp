#include "DriveList.h"

#include "Native.h"
#include "Seams.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// Roots compare as clean absolute paths with a trailing separator, so that "/work" does not
// count as holding "/workshop".
QString withTrailingSlash(const QString& path)
{
    QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return clean;
}

} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    refresh();
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::Change);
}

QString DriveList::List(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return itemData(index).toString();
}

int DriveList::indexOfDriveHolding(const QString& path) const
{
    QStringList roots;
    for (int i = 0; i < count(); ++i)
        roots << List(i);
    return int(roots.indexOf(driveHolding(roots, path)));
}

void DriveList::refresh()
{
    const QString previous = Drive();
    const QSignalBlocker blocker(this);
    clear();
    for (const platform::Volume& volume : volumes()) {
        QString text = QDir::toNativeSeparators(volume.root);
        if (!volume.name.isEmpty())
            text += QStringLiteral(" [%1]").arg(volume.name);
        addItem(text, volume.root);
    }
    const int kept = findData(previous);
    setCurrentIndex(kept >= 0 ? kept : (count() > 0 ? 0 : -1));
}

QList<platform::Volume> DriveList::volumes()
{
    if (platform::seams().volumes)
        return platform::seams().volumes();
    QList<platform::Volume> found;
    const auto listed = [&found](const QString& root) {
        return std::any_of(found.begin(), found.end(),
                           [&](const platform::Volume& v) { return v.root == root; });
    };
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // Containers bind single files (e.g. /etc/hosts) as mounts; only folders are drives.
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir() &&
            !listed(volume.rootPath()))
            found.append({volume.rootPath(), volume.name()});
    }
    std::sort(found.begin(), found.end(), [](const platform::Volume& a, const platform::Volume& b) {
        return a.root.compare(b.root, Qt::CaseInsensitive) < 0;
    });
    return found;
}

bool DriveList::isReady(const QString& root)
{
    if (platform::seams().driveReady)
        return platform::seams().driveReady(root);
    const QStorageInfo volume(root);
    return volume.isValid() && volume.isReady() && QDir(root).isReadable();
}

QString DriveList::currentFolderOn(const QString& root)
{
    const QString current = QDir::currentPath();
    QStringList roots;
    for (const platform::Volume& volume : volumes())
        roots << volume.root;
    if (withTrailingSlash(driveHolding(roots, current)) == withTrailingSlash(root))
        return current;
    return root;
}

QString DriveList::driveHolding(const QStringList& roots, const QString& path)
{
    const QString target = withTrailingSlash(QFileInfo(path).absoluteFilePath());
    QString best;
    qsizetype bestLength = -1;
    for (const QString& root : roots) {
        const QString prefix = withTrailingSlash(root);
        if (target.startsWith(prefix, native::pathCaseSensitivity()) &&
            prefix.size() > bestLength) {
            best = root;
            bestLength = prefix.size();
        }
    }
    return best;
}
