#include "FolderList.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

namespace {

constexpr int IndentPerLevel = 2;

// The chain of folders from the root down to `path`, both included.
QStringList ancestorsOf(const QString& path)
{
    QStringList chain;
    QDir dir(path);
    while (true) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    return chain;
}

QString entryName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(path) : name;
}

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &FolderList::Click);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { openRow(row(item)); });
}

bool FolderList::setPath(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isDir())
        return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    QDir dir(clean);
    if (!dir.isReadable())
        return false;

    const QFileInfoList subfolders =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                          QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    const QStringList chain = ancestorsOf(clean);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    {
        const QSignalBlocker blocker(this);
        clear();
        for (int level = 0; level < int(chain.size()); ++level) {
            auto* item = new QListWidgetItem(
                openIcon, QString(qsizetype(level) * IndentPerLevel, QLatin1Char(' ')) +
                              entryName(chain[level]));
            item->setData(Qt::UserRole, chain[level]);
            addItem(item);
        }
        const QString indent(chain.size() * IndentPerLevel, QLatin1Char(' '));
        for (const QFileInfo& folder : subfolders) {
            auto* item = new QListWidgetItem(closedIcon, indent + folder.fileName());
            item->setData(Qt::UserRole, QDir::cleanPath(folder.absoluteFilePath()));
            addItem(item);
        }
        m_fileRows = 0;
        if (!m_fileSuffix.isEmpty()) {
            const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
            for (const QFileInfo& file :
                 dir.entryInfoList({QLatin1Char('*') + m_fileSuffix}, QDir::Files | QDir::Hidden,
                                   QDir::Name | QDir::IgnoreCase | QDir::LocaleAware)) {
                auto* item = new QListWidgetItem(fileIcon, indent + file.fileName());
                item->setData(Qt::UserRole, file.fileName());
                item->setData(Qt::UserRole + 1, true);
                addItem(item);
                ++m_fileRows;
            }
        }
        m_ancestorRows = int(chain.size());
        setCurrentRow(m_ancestorRows - 1);
    }

    const bool changed = clean != m_path;
    m_path = clean;
    if (changed)
        emit Change();
    return true;
}

void FolderList::setListedFiles(const QString& suffix)
{
    m_fileSuffix = suffix;
    refresh();
}

QString FolderList::clickedFile() const
{
    const QListWidgetItem* entry = currentItem();
    return entry && entry->data(Qt::UserRole + 1).toBool() ? entry->data(Qt::UserRole).toString()
                                                           : QString();
}

int FolderList::ListIndex() const
{
    const int row = currentRow();
    return row < 0 ? -1 : row - m_ancestorRows;
}

void FolderList::setListIndex(int index)
{
    setCurrentRow(index + m_ancestorRows);
}

QString FolderList::List(int index) const
{
    if (index >= ListCount())
        return {};
    const QListWidgetItem* entry = item(index + m_ancestorRows);
    return entry ? entry->data(Qt::UserRole).toString() : QString();
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openRow(currentRow());
        return;
    }
    // Arrow keys only move the selection: a window that opens a folder on Click() would
    // otherwise leave the folder at the first step.
    QListWidget::keyPressEvent(event);
}

void FolderList::keyboardSearch(const QString& search)
{
    if (search.isEmpty())
        return;
    const bool goingOn =
        m_sinceTyped.isValid() && m_sinceTyped.elapsed() < QApplication::keyboardInputInterval();
    m_typed = goingOn ? m_typed + search : search;
    m_sinceTyped.start();
    // One letter, or the same letter again and again, steps to the next folder with it; more
    // letters look for the name from the selected entry on.
    QString prefix = m_typed;
    int start = std::max(0, currentRow());
    if (prefix.count(prefix.front()) == prefix.size()) {
        prefix = prefix.left(1);
        ++start;
    }
    for (int step = 0; step < count(); ++step) {
        const int row = (start + step) % count();
        // The indentation that shows the depth is no part of the name.
        if (item(row)->text().trimmed().startsWith(prefix, Qt::CaseInsensitive)) {
            setCurrentRow(row);
            return;
        }
    }
}

void FolderList::openRow(int row)
{
    const QListWidgetItem* entry = item(row);
    if (entry && entry->data(Qt::UserRole + 1).toBool()) {
        emit Click();
        return;
    }
    // A folder that went away or became unreadable stays closed; the list is read again so
    // that it no longer offers it.
    if (entry && !setPath(entry->data(Qt::UserRole).toString()))
        refresh();
}
