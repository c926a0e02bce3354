#pragma once
// A folder list: the path from the root down to the current folder, each ancestor an indented
// entry, followed by the current folder's subfolders. Entries are numbered as the desktop
// control numbered them: the current folder is -1, its parent -2 and so on up to the root, and
// the subfolders are 0 .. ListCount() - 1.
//
// A single click only selects an entry and raises Click(); a double click (or Enter) opens it,
// which sets Path. Windows that want a single click to open handle Click() by setting Path to
// clickedPath(). The keyboard moves the selection without raising Click(): the arrow keys, and
// typing the first letters of a folder's name. Every change of Path, however made, raises
// Change().
//
// Files of one kind may be listed after the subfolders (the save dialog lists the reports a
// name would replace); they are not numbered with the subfolders and cannot be opened, and
// clicking one, or Enter on it, raises Click().

#include <QElapsedTimer>
#include <QListWidget>

class FolderList : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    QString Path() const { return m_path; }
    // Shows `path`. Returns false, and changes nothing, when it is not a folder that can be
    // listed. Setting the current path again reads the folder again without raising Change().
    bool setPath(const QString& path);
    void refresh() { setPath(m_path); }

    // Number of subfolders of the current folder.
    int ListCount() const { return count() - m_ancestorRows - m_fileRows; }
    // The selected entry in the numbering above; -1 (the current folder) after Path is set.
    int ListIndex() const;
    void setListIndex(int index);
    // Full path of entry `index` in the numbering above; empty when there is no such entry.
    QString List(int index) const;
    // Full path of the selected entry.
    QString clickedPath() const { return List(ListIndex()); }

    // Lists, after the subfolders, the files whose names end with `suffix` (letter case
    // ignored); an empty suffix lists none.
    void setListedFiles(const QString& suffix);
    // The name of the selected entry when it is such a file, else empty.
    QString clickedFile() const;

signals:
    void Change();
    void Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;

private:
    void openRow(int row);

    QString m_path;
    int m_ancestorRows = 0; // the root .. current folder entries at the top
    int m_fileRows = 0;     // the files listed at the end
    QString m_fileSuffix;
    QString m_typed; // the letters typed in quick succession
    QElapsedTimer m_sinceTyped;
};
