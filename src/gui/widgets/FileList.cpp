#include "FileList.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

FileList::FileList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &FileList::Click);
    connect(this, &QListWidget::itemDoubleClicked, this, &FileList::DblClick);
}

bool FileList::setPath(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir())
        return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    const QDir dir(clean);
    if (!dir.isReadable())
        return false;

    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden,
                                            QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    const QSignalBlocker blocker(this);
    clear();
    addItems(names);
    setCurrentRow(-1);
    m_path = clean;
    return true;
}

QString FileList::FileName() const
{
    const QListWidgetItem* entry = currentItem();
    return entry && entry->isSelected() ? entry->text() : QString();
}

QString FileList::List(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    // Enter on a selected file does what a double click on it does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !FileName().isEmpty()) {
        emit Click();
        emit DblClick();
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before)
        emit Click();
}
